#include "runtime/values/text_format.h"

#include <cmath>
#include <cstdio>

#include "runtime/values/maths.h"

namespace mvn {

namespace {

// Widths beyond kWidthBound only add blanks beyond the first kFormatLimit
// characters of an integer's field. A double's %f text has at most 309
// integer digits and its exact fraction at most 1074 digits, so decimals
// beyond kDecimalsBound are zeros.
constexpr int kWidthBound = 2000;
constexpr int kDecimalsBound = 1100;

int clampTo(double value, int bound) {
  int n = truncateToInt(value);
  return n > bound ? bound : (n < -bound ? -bound : n);
}

// Each function formats into its own buffer, reserved for 128 characters
// (144 bytes); snprintf never writes past it and cuts a longer text at
// kFormatLimit characters. The buffers are never destroyed: a report made
// while the process exits (from an exit handler, or a static's destructor)
// may be the first to format, and a static first made then would have its
// destructor run among the exit handlers, before or while they use it.
bool formatBuffer(RtString& buffer) {
  buffer.reserve(128, false);
  return buffer.capacity > kFormatLimit;
}

}  // namespace

RtString formatFixed(double width, double decimals, double value) {
  static RtString& out = *new RtString;
  if (!formatBuffer(out)) return RtString();
  // The number alone, with at most kDecimalsBound decimals: a double has no
  // non-zero digit beyond them, so the rest of a longer fraction is zeros,
  // counted here and written below. The field's padding is worked out from the
  // whole length, so the visible start of a wide field stays exact.
  const int asked = truncateToInt(decimals);
  const int written = asked < 0 ? -1 : (asked > kDecimalsBound ? kDecimalsBound : asked);
  char number[kDecimalsBound + 400];
  const int numberLength = std::snprintf(number, sizeof number, "%.*f", written, value);
  if (numberLength < 0 || numberLength >= static_cast<int>(sizeof number)) return RtString();
  const int64_t zeros = std::isfinite(value) && asked > written ? int64_t{asked} - written : 0;
  const int64_t length = numberLength + zeros;
  const int64_t field = truncateToInt(width);
  const int64_t fieldWidth = field < 0 ? -field : field;  // a negative width aligns left
  const int64_t padding = fieldWidth > length ? fieldWidth - length : 0;

  int64_t at = 0;
  auto put = [&](char c, int64_t count) {
    for (; count > 0 && at < kFormatLimit; --count) out.buffer[at++] = c;
  };
  if (field > 0) put(' ', padding);
  for (int i = 0; i < numberLength && at < kFormatLimit; ++i) out.buffer[at++] = number[i];
  put('0', zeros);
  if (field < 0) put(' ', padding);
  out.buffer[at] = 0;
  out.recomputeLength();
  return RtString(out);
}

RtString formatInt(double width, int value) {
  static RtString& out = *new RtString;
  if (!formatBuffer(out)) return RtString();
  std::snprintf(out.buffer, static_cast<size_t>(kFormatLimit) + 1, "%*d", clampTo(width, kWidthBound), value);
  out.recomputeLength();
  return RtString(out);
}

RtString formatInt64(double width, std::int64_t value) {
  static RtString& out = *new RtString;
  if (!formatBuffer(out)) return RtString();
  std::snprintf(out.buffer, static_cast<size_t>(kFormatLimit) + 1, "%*lld", clampTo(width, kWidthBound),
                static_cast<long long>(value));
  out.recomputeLength();
  return RtString(out);
}

}  // namespace mvn
