// Numbers to text and text to numbers.
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/values/rt_string.h"

namespace mvn {

namespace {

constexpr int kSignificantDigits = 10;

// Text of a non-finite double as the platform's C runtime spells it.
const char* nonFiniteText(double value) {
  if (std::isinf(value)) return value < 0 ? "-1.#INF" : "1.#INF";
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  bool negative = (bits >> 63) != 0;
  bool quiet = ((bits >> 51) & 1) != 0;
  std::uint64_t payload = bits & ((std::uint64_t{1} << 51) - 1);
  if (negative && quiet && payload == 0) return "-1.#IND";  // the FPU's default NaN
  if (quiet) return negative ? "-1.#QNAN" : "1.#QNAN";
  return negative ? "-1.#SNAN" : "1.#SNAN";
}

// Rounds the digit string (half up on its next digit) to keep digits;
// a carry out of the first digit adds one to *decpt.
void roundDigits(char* digits, int available, int keep, int* decpt) {
  bool up = keep < available && digits[keep] >= '5';
  for (int i = keep; i < available; ++i) digits[i] = '0';
  for (int i = keep - 1; up && i >= 0; --i) {
    if (digits[i] == '9') {
      digits[i] = '0';
    } else {
      ++digits[i];
      up = false;
    }
  }
  if (up) {  // all nines: 999.. became 1000..
    std::memmove(digits + 1, digits, static_cast<size_t>(available - 1));
    digits[0] = '1';
    ++*decpt;
  }
}

// The platform's _gcvt(value, 10, out): 17 significant digits decide the
// magnitude; from 0.1 to below 10^10 the plain form with 10 significant
// digits, otherwise d.ddddddddde+xxx; then zeros after the point are dropped
// (before an exponent too), the point itself stays.
void gcvt10(double value, char* out) {
  if (!std::isfinite(value)) {
    std::strcpy(out, nonFiniteText(value));
    return;
  }
  char digits[24];
  int decpt = 0;
  bool negative = false;
  if (value == 0) {
    std::strcpy(digits, "00000000000000000");  // zero has no sign here
  } else {
    negative = value < 0;
    char e[40];
    std::snprintf(e, sizeof e, "%.16e", std::fabs(value));  // d.dddddddddddddddde±x
    digits[0] = e[0];
    std::memcpy(digits + 1, e + 2, 16);
    digits[17] = 0;
    decpt = std::atoi(e + 19) + 1;
  }
  int available = 17;
  int magnitude = decpt - 1;
  char* p = out;
  if (negative) *p++ = '-';
  if (magnitude < -1 || magnitude > kSignificantDigits - 1) {
    roundDigits(digits, available, kSignificantDigits, &decpt);
    *p++ = digits[0];
    *p++ = '.';
    std::memcpy(p, digits + 1, kSignificantDigits - 1);
    p += kSignificantDigits - 1;
    while (p[-1] == '0') --p;
    int exponent = decpt - 1;
    std::sprintf(p, "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return;
  }
  int decimals = kSignificantDigits - decpt;
  roundDigits(digits, available, decpt + decimals, &decpt);
  if (decpt <= 0) {
    *p++ = '0';
  } else {
    for (int i = 0; i < decpt; ++i) *p++ = i < available ? digits[i] : '0';
  }
  if (decimals > 0) {
    *p++ = '.';
    for (int i = 0; i < decimals; ++i) *p++ = decpt + i < available ? digits[decpt + i] : '0';
    while (p[-1] == '0') --p;
  }
  *p = 0;
}

void doubleTextInto(double value, char* out) {
  gcvt10(value, out);
  size_t n = std::strlen(out);
  if (std::strcmp(out, ".0") == 0) {
    std::strcpy(out, "0");
  } else if (n > 0 && out[n - 1] == '.') {
    out[n - 1] = 0;
  }
}

// Decimal digits of a 64-bit value, least significant first.
int int64Text(std::int64_t value, char* out) {
  char reversed[24];
  int n = 0;
  std::uint64_t magnitude = value < 0 ? ~static_cast<std::uint64_t>(value) + 1
                                      : static_cast<std::uint64_t>(value);
  do {
    reversed[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  int length = 0;
  if (value < 0) out[length++] = '-';
  while (n > 0) out[length++] = reversed[--n];
  out[length] = 0;
  return length;
}

bool isBlank(char c) { return c == ' ' || (c >= 9 && c <= 13); }

// Optional sign and decimal digits, saturating at the type's limits.
template <typename I>
I parseInteger(const char* p, I low, I high) {
  while (isBlank(*p)) ++p;
  bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  // Accumulate negatively: the negative range is the larger one.
  I value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    int digit = *p - '0';
    if (value < (low + digit) / 10) return negative ? low : high;
    value = static_cast<I>(value * 10 - digit);
  }
  if (negative) return value;
  return value < -high ? high : static_cast<I>(-value);
}

}  // namespace

void RtString::appendInt(int value) {
  char text[16];
  int n = std::snprintf(text, sizeof text, "%d", value);
  appendBytes(text, n);
}

void RtString::appendInt64(std::int64_t value) {
  char text[24];
  int n = int64Text(value, text);
  appendBytes(text, n);
}

void RtString::appendDouble(double value) {
  char text[64];
  doubleTextInto(value, text);
  appendBytes(text, static_cast<int>(std::strlen(text)));
}

RtString doubleText(double value) { return RtString(value); }

int numberTextLength(int value) { return RtString(value).length; }

int numberTextLength(double value) { return RtString(value).length; }

int textToInt(const char* text) {
  if (text == nullptr) return 0;
  return parseInteger<int>(text, INT_MIN, INT_MAX);
}

std::int64_t textToInt64(const char* text) {
  if (text == nullptr) return 0;
  return parseInteger<std::int64_t>(text, INT64_MIN, INT64_MAX);
}

double textToDouble(const char* text) {
  if (text == nullptr) return 0;
  const char* p = text;
  while (isBlank(*p)) ++p;
  const char* start = p;
  if (*p == '+' || *p == '-') ++p;
  int mantissaDigits = 0;
  while (std::isdigit(static_cast<unsigned char>(*p))) ++p, ++mantissaDigits;
  if (*p == '.') {
    ++p;
    while (std::isdigit(static_cast<unsigned char>(*p))) ++p, ++mantissaDigits;
  }
  if (mantissaDigits == 0) return 0;
  if (*p == 'e' || *p == 'E') {
    const char* q = p + 1;
    if (*q == '+' || *q == '-') ++q;
    if (std::isdigit(static_cast<unsigned char>(*q))) {
      while (std::isdigit(static_cast<unsigned char>(*q))) ++q;
      p = q;
    }
  }
  // Only the decimal form scanned above reaches strtod: no hexadecimal,
  // infinity or not-a-number spellings. The runtime keeps the C locale.
  std::string number(start, p);
  return std::strtod(number.c_str(), nullptr);
}

}  // namespace mvn
