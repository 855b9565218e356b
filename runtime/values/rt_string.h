// The runtime's text value: a growable, zero-terminated run of 8-bit
// characters that owns its buffer.
#pragma once

#include <cstdint>
#include <type_traits>

namespace mvn {

// Number kinds the mixed text/number operators accept: every integer and
// floating type except bool and the character types (a character is
// appended with RtString::append(char), never turned into its code).
template <typename N>
inline constexpr bool isRtNumber =
    std::is_arithmetic_v<N> && !std::is_same_v<N, bool> && !std::is_same_v<N, char> &&
    !std::is_same_v<N, signed char> && !std::is_same_v<N, unsigned char>;

class RtString {
 public:
  // The three fields, in this order. Invariants: buffer is never null;
  // buffer[length] == 0; length < capacity whenever capacity > 0; capacity
  // is 0 exactly while buffer is the shared empty buffer.
  char* buffer;
  int capacity;  // bytes allocated at buffer, terminator included
  int length;    // characters before the terminating zero

  // The longest text a value can hold; a longer request is refused.
  static constexpr int kMaxLength = 0x7fffffff - 32;

  RtString();
  RtString(const char* text);  // NOLINT: C texts convert implicitly
  RtString(const RtString& other);
  RtString(RtString&& other) noexcept;
  // A number's text (integers in 15 reserved characters, doubles in 63).
  template <typename N, std::enable_if_t<isRtNumber<N>, int> = 0>
  explicit RtString(N value) : RtString() {
    reserve(std::is_floating_point_v<N> ? 63 : 15, false);
    appendNumber(value);
  }
  ~RtString();

  RtString& operator=(const RtString& other);
  RtString& operator=(RtString&& other) noexcept;
  RtString& operator=(const char* text);

  const char* c_str() const { return buffer; }
  bool empty() const { return length == 0; }

  // Frees an owned buffer and returns to the empty state.
  void release();
  // Makes room for n characters plus the terminator. The new capacity is the
  // next multiple of 16 above n + 1. With keep the characters are copied;
  // otherwise the new buffer is all zeros and length is the caller's to set.
  // Returns false (error 7 set, value unchanged) when the room cannot be had.
  bool reserve(int n, bool keep);
  void assign(const RtString& source);
  void assign(const char* text);
  void append(const RtString& text);
  void append(const char* text);
  void append(char c);
  template <typename N, std::enable_if_t<isRtNumber<N>, int> = 0>
  void append(N value) {
    appendNumber(value);
  }
  // Adds count bytes at the end (a text may append a part of itself).
  void appendBytes(const char* text, int count);
  void swap(RtString& other) noexcept;
  // Sets length after a C function wrote into buffer.
  void recomputeLength();

  RtString& operator+=(const RtString& text) {
    append(text);
    return *this;
  }
  RtString& operator+=(const char* text) {
    append(text);
    return *this;
  }
  RtString& operator+=(char c) {
    append(c);
    return *this;
  }
  template <typename N, std::enable_if_t<isRtNumber<N>, int> = 0>
  RtString& operator+=(N value) {
    appendNumber(value);
    return *this;
  }

 private:
  void appendInt(int value);
  void appendInt64(std::int64_t value);
  void appendDouble(double value);
  template <typename N>
  void appendNumber(N value) {
    if constexpr (std::is_floating_point_v<N>) {
      appendDouble(static_cast<double>(value));
    } else if constexpr (std::is_signed_v<N> && sizeof(N) <= 4) {
      appendInt(static_cast<int>(value));
    } else if constexpr (std::is_unsigned_v<N> && sizeof(N) < 4) {
      appendInt(static_cast<int>(value));
    } else {
      appendInt64(static_cast<std::int64_t>(value));
    }
  }
};

// --- joining: a copy of the left side as text, then the right side appended

RtString operator+(const RtString& left, const RtString& right);
RtString operator+(const RtString& left, const char* right);
RtString operator+(const char* left, const RtString& right);
template <typename N, std::enable_if_t<isRtNumber<N>, int> = 0>
RtString operator+(const RtString& left, N right) {
  RtString result(left);
  result.append(right);
  return result;
}
template <typename N, std::enable_if_t<isRtNumber<N>, int> = 0>
RtString operator+(N left, const RtString& right) {
  RtString result(left);
  result.append(right);
  return result;
}

// --- text to number

int textToInt(const char* text);              // atoi; saturates instead of overflowing
std::int64_t textToInt64(const char* text);   // saturates instead of overflowing
double textToDouble(const char* text);        // atof, decimal forms only, "." as point

// --- number to text

// The text of a double: 10 significant digits, plain form for magnitudes
// from 0.1 up to 10^10 and exponent form ("1.e+021") outside; trailing
// zeros and a final point are dropped ("1", "0.5", "-2.5").
RtString doubleText(double value);
// Length of a number's text.
int numberTextLength(int value);
int numberTextLength(double value);

// --- comparing: texts byte-wise as strcmp; a text with a number numerically,
// the text converted to the number's kind

int compareText(const char* left, const char* right);

template <typename N>
int compareTextNumber(const char* text, N number) {
  if constexpr (std::is_floating_point_v<N>) {
    N value = static_cast<N>(textToDouble(text));
    return value < number ? -1 : (number < value ? 1 : 0);
  } else if constexpr (std::is_signed_v<N> && sizeof(N) <= 4) {
    int value = textToInt(text);
    return value < number ? -1 : (number < value ? 1 : 0);
  } else {
    std::int64_t value = textToInt64(text);
    auto n = static_cast<std::int64_t>(number);
    return value < n ? -1 : (n < value ? 1 : 0);
  }
}

#define MVN_RTSTRING_COMPARE(op)                                                      \
  inline bool operator op(const RtString& l, const RtString& r) {                     \
    return compareText(l.c_str(), r.c_str()) op 0;                                    \
  }                                                                                   \
  inline bool operator op(const RtString& l, const char* r) {                         \
    return compareText(l.c_str(), r) op 0;                                            \
  }                                                                                   \
  inline bool operator op(const char* l, const RtString& r) {                         \
    return compareText(l, r.c_str()) op 0;                                            \
  }                                                                                   \
  template <typename N, std::enable_if_t<isRtNumber<N>, int> = 0>                     \
  bool operator op(const RtString& l, N r) {                                          \
    return compareTextNumber(l.c_str(), r) op 0;                                      \
  }                                                                                   \
  template <typename N, std::enable_if_t<isRtNumber<N>, int> = 0>                     \
  bool operator op(N l, const RtString& r) {                                          \
    return 0 op compareTextNumber(r.c_str(), l);                                      \
  }

MVN_RTSTRING_COMPARE(==)
MVN_RTSTRING_COMPARE(!=)
MVN_RTSTRING_COMPARE(<)
MVN_RTSTRING_COMPARE(>)
MVN_RTSTRING_COMPARE(<=)
MVN_RTSTRING_COMPARE(>=)
#undef MVN_RTSTRING_COMPARE

}  // namespace mvn
