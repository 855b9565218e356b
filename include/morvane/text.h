/// @file
/// Text values (RtString) and the text commands: case, search, replace,
/// hexadecimal and percent forms, number formatting.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>

namespace mvn {


/// Number kinds the mixed text/number operators accept: every integer and
/// floating type except bool and the character types (a character is
/// appended with RtString::append(char), never turned into its code).
template <typename N>
inline constexpr bool isRtNumber =
    std::is_arithmetic_v<N> && !std::is_same_v<N, bool> && !std::is_same_v<N, char> &&
    !std::is_same_v<N, signed char> && !std::is_same_v<N, unsigned char>;

/// The dialect's text value: a growable, zero-terminated run of 8-bit
/// characters that owns its buffer. Texts join with `+`, compare byte-wise
/// with `==`, `!=`, `<`, `>`, `<=`, `>=` (as strcmp), and compare with a number
/// numerically, the text converted to the number's kind ("10" == 10 holds).
/// A number joined to a text is written as the dialect writes numbers
/// (doubleText for doubles). Allocation failures set ::kErrorOutOfMemory and
/// leave the value as it was; nothing throws.
class RtString {
 public:
  /// The characters, zero-terminated; never null (an empty value points at a
  /// shared empty buffer). buffer[length] is always 0.
  char* buffer;
  /// Bytes allocated at buffer, terminator included; 0 while buffer is the
  /// shared empty buffer, otherwise always above length.
  int capacity;
  /// Characters before the terminating zero.
  int length;

  /// The longest text a value can hold; a longer request is refused with
  /// ::kErrorOutOfMemory.
  static constexpr int kMaxLength = 0x7fffffff - 32;

  /// The empty text.
  RtString();
  /// A copy of a C text; null gives the empty text.
  /// @param text zero-terminated characters, or null
  RtString(const char* text);  // NOLINT: C texts convert implicitly
  /// A copy of another text.
  /// @param other the text copied
  RtString(const RtString& other);
  /// Takes over another text's buffer; other becomes empty.
  /// @param other the text moved from
  RtString(RtString&& other) noexcept;
  /// A number's text as the dialect writes it ("3", "0.5", "1.e+021").
  /// @param value any integer or floating value (not bool or a character)
  template <typename N, std::enable_if_t<isRtNumber<N>, int> = 0>
  explicit RtString(N value) : RtString() {
    reserve(std::is_floating_point_v<N> ? 63 : 15, false);
    appendNumber(value);
  }
  /// Frees the buffer the value owns.
  ~RtString();

  /// Becomes a copy of other. @param other the text copied @return this text
  RtString& operator=(const RtString& other);
  /// Takes over other's buffer. @param other the text moved from @return this text
  RtString& operator=(RtString&& other) noexcept;
  /// Becomes a copy of a C text (null: empty). @param text the characters @return this text
  RtString& operator=(const char* text);

  /// @return the characters, zero-terminated, valid until the value changes
  const char* c_str() const { return buffer; }
  /// @return true for the empty text
  bool empty() const { return length == 0; }

  /// Frees an owned buffer and returns to the empty text.
  void release();
  /// Makes room for n characters plus the terminator; the new capacity is
  /// the next multiple of 16 above n + 1.
  /// @param n characters to make room for, 0 to kMaxLength
  /// @param keep true: the characters are kept; false: the new buffer is all
  ///        zeros and setting length is the caller's task
  /// @return false, with ::kErrorOutOfMemory set and the value unchanged,
  ///         when the room cannot be had
  bool reserve(int n, bool keep);
  /// Becomes a copy of source. @param source the text copied
  void assign(const RtString& source);
  /// Becomes a copy of a C text (null: empty). @param text the characters
  void assign(const char* text);
  /// Adds a text at the end (the value itself may be appended).
  /// @param text the text added
  void append(const RtString& text);
  /// Adds a C text at the end (null adds nothing). @param text the characters
  void append(const char* text);
  /// Adds one character at the end. @param c the character (0 is not added)
  void append(char c);
  /// Adds a number's text at the end, as the dialect writes numbers.
  /// @param value any integer or floating value (not bool or a character)
  template <typename N, std::enable_if_t<isRtNumber<N>, int> = 0>
  void append(N value) {
    appendNumber(value);
  }
  /// Adds count bytes at the end (a text may append a part of itself).
  /// @param text the bytes @param count how many, 0 or more
  void appendBytes(const char* text, int count);
  /// Exchanges two values' buffers. @param other the other text
  void swap(RtString& other) noexcept;
  /// Sets length from the terminator after a C function wrote into buffer.
  void recomputeLength();

  /// Appends a text. @param text the text added @return this text
  RtString& operator+=(const RtString& text) {
    append(text);
    return *this;
  }
  /// Appends a C text. @param text the characters @return this text
  RtString& operator+=(const char* text) {
    append(text);
    return *this;
  }
  /// Appends a character. @param c the character @return this text
  RtString& operator+=(char c) {
    append(c);
    return *this;
  }
  /// Appends a number's text. @param value the number @return this text
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

/// A text handed to a command: a C text, a text value (RtString) or a
/// std::string alike, taken where it lies without a copy. It stands for the
/// C text and reads as one inside the command; it lives as long as the
/// argument it was made from, so keep it for the call only.
class TextRef {
 public:
  /// A C text (null reads as a command's missing text). @param text the characters
  TextRef(const char* text) : text_(text) {}
  /// A text value. @param text the text
  TextRef(const RtString& text) : text_(text.c_str()) {}
  /// A standard string. @param text the string
  TextRef(const std::string& text) : text_(text.c_str()) {}
  /// @return the zero-terminated characters
  const char* c_str() const { return text_; }
  /// @return the zero-terminated characters, as a C text
  operator const char*() const { return text_; }

 private:
  const char* text_;
};

/// Joins two texts. @param left first part @param right second part @return a new text
RtString operator+(const RtString& left, const RtString& right);
/// Joins a text and a C text. @param left first part @param right second part @return a new text
RtString operator+(const RtString& left, const char* right);
/// Joins a C text and a text. @param left first part @param right second part @return a new text
RtString operator+(const char* left, const RtString& right);
/// Joins a text and a number's text. @param left the text @param right the number @return a new text
template <typename N, std::enable_if_t<isRtNumber<N>, int> = 0>
RtString operator+(const RtString& left, N right) {
  RtString result(left);
  result.append(right);
  return result;
}
/// Joins a number's text and a text. @param left the number @param right the text @return a new text
template <typename N, std::enable_if_t<isRtNumber<N>, int> = 0>
RtString operator+(N left, const RtString& right) {
  RtString result(left);
  result.append(right);
  return result;
}

/// The integer a text starts with, as atoi reads it (blanks, a sign,
/// digits); beyond the integer range it saturates at the nearest end.
/// @param text the characters (null reads as 0) @return the number, 0 when none
int textToInt(const char* text);
/// The 64-bit integer a text starts with, saturating at the range's ends.
/// @param text the characters (null reads as 0) @return the number, 0 when none
std::int64_t textToInt64(const char* text);
/// The number a text starts with, as atof reads decimal forms, "." as point.
/// @param text the characters (null reads as 0) @return the number, 0 when none
double textToDouble(const char* text);

/// The text of a double: 10 significant digits, plain form for magnitudes
/// from 0.1 up to 10^10 and exponent form ("1.e+021") outside; trailing
/// zeros and a final point are dropped ("1", "0.5", "-2.5").
/// @param value the number @return its text
RtString doubleText(double value);
/// @param value an integer @return the length of its text ("-12" is 3)
int numberTextLength(int value);
/// @param value a double @return the length of its doubleText
int numberTextLength(double value);

/// Compares two C texts byte by byte, as strcmp (null reads as empty).
/// @param left first text @param right second text
/// @return below 0, 0 or above 0 as left sorts before, with or after right
int compareText(const char* left, const char* right);

/// Compares a text with a number numerically, the text converted to the
/// number's kind (textToDouble, textToInt or textToInt64).
/// @param text the text @param number the number
/// @return -1, 0 or 1 as the text's number is below, equal to or above number
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

/// @cond
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
/// @endcond

/// @name Text commands
/// Texts are 8-bit; positions count bytes from 0. A null text argument
/// reads as the empty text.
/// @{

/// @param text the text @return a copy with a to z turned into A to Z (other bytes as they are)
RtString upperCase(const char* text);
/// @param text the text @return a copy with A to Z turned into a to z (other bytes as they are)
RtString lowerCase(const char* text);
/// Finds a text in a text, forwards.
/// @param text the text searched @param what the text looked for
/// @param start first position tried; below 0 searches from the beginning
/// @return position of the first byte of the first occurrence at or after
///         start, or -1 when there is none
int findText(const char* text, const char* what, int start);
/// Finds a text in a text, backwards.
/// @param text the text searched @param what the text looked for
/// @param start last position tried; beyond the end searches from the end
/// @return position of the last occurrence that begins at or before start, or -1
int findTextBackward(const char* text, const char* what, int start);
/// Finds the first of a set of characters.
/// @param text the text searched @param set the characters looked for
/// @param start first position tried
/// @return position of the first character at or after start that is one of set, or -1
int findAnyOf(const char* text, const char* set, int start);
/// Replaces every occurrence, left to right.
/// @param text the text @param what the text replaced (empty: nothing is replaced)
/// @param with its replacement
/// @return the new text
RtString replaceAll(const char* text, const char* what, const char* with);
/// @param code a character code; its low byte is used
/// @return the one-character text of codes 1..255, the empty text for 0
RtString charFromCode(int code);
/// Bytes written as hexadecimal, two digits per byte.
/// @param bytes the bytes @param count how many @param upperCaseDigits true: A-F, false: a-f
/// @return the digits
RtString hexFromBytes(const void* bytes, int count, bool upperCaseDigits);
/// A text's bytes written as hexadecimal, two digits per byte.
/// @param text the text @param upperCaseDigits true: A-F, false: a-f @return the digits
RtString hexFromText(const char* text, bool upperCaseDigits);
/// The bytes of pairs of hexadecimal digits (either case), up to the first
/// pair that is not one; the result's length counts every byte, zeros too.
/// @param hex the digits @return the bytes
RtString bytesFromHex(const char* hex);
/// Letters, digits and "-_.~" as they are, every other byte as "%xx" (for URLs).
/// @param text the text @return the encoded text
RtString percentEncode(const char* text);
/// 8-bit text to wide text, through the C library's multibyte conversion;
/// what it cannot convert goes byte for code.
/// @param text the text @return the wide text
std::wstring wideFromText(const char* text);
/// Wide text to 8-bit text: codes 1 to 255 survive a round trip, larger
/// codes become "?".
/// @param text the wide text @return the 8-bit text
RtString textFromWide(const wchar_t* text);

/// The longest formatted number text; a longer result is cut to this many characters.
constexpr int kFormatLimit = 143;
/// A number with a width and decimals, as "%WIDTH.DECIMALSf":
/// formatFixed(6, 2, 3.14159) gives "  3.14".
/// @param width least characters; negative aligns left
/// @param decimals digits after the point; negative gives six
/// @param value the number
/// @return the text, at most kFormatLimit characters
RtString formatFixed(double width, double decimals, double value);
/// An integer with a width, as "%WIDTHd": formatInt(4, 10) gives "  10".
/// @param width least characters; negative aligns left @param value the number
/// @return the text, at most kFormatLimit characters
RtString formatInt(double width, int value);
/// A 64-bit integer with a width, as "%WIDTHlld".
/// @param width least characters; negative aligns left @param value the number
/// @return the text, at most kFormatLimit characters
RtString formatInt64(double width, std::int64_t value);
/// @}

}  // namespace mvn
