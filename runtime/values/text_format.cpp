#include "runtime/values/text_format.h"

#include <cstdio>

#include "runtime/values/maths.h"

namespace mvn {

namespace {

// Widths and decimals beyond these cannot change the first kFormatLimit
// characters (a double's %f text has at most 309 integer digits and its
// exact fraction at most 1074 digits), so clamping keeps the result exact
// while sparing the C library a needlessly large piece of work.
constexpr int kWidthBound = 2000;
constexpr int kDecimalsBound = 1100;

int clampTo(double value, int bound) {
  int n = truncateToInt(value);
  return n > bound ? bound : (n < -bound ? -bound : n);
}

// Each function formats into its own buffer, reserved for 128 characters
// (144 bytes); snprintf never writes past it and cuts a longer text at
// kFormatLimit characters. Reserved again on every call: a buffer released
// at process exit is never written through.
bool formatBuffer(RtString& buffer) {
  buffer.reserve(128, false);
  return buffer.capacity > kFormatLimit;
}

}  // namespace

RtString formatFixed(double width, double decimals, double value) {
  static RtString buffer;
  RtString& out = buffer;
  if (!formatBuffer(out)) return RtString();
  int d = truncateToInt(decimals);
  std::snprintf(out.buffer, static_cast<size_t>(kFormatLimit) + 1, "%*.*f", clampTo(width, kWidthBound),
                d < 0 ? -1 : clampTo(d, kDecimalsBound), value);
  out.recomputeLength();
  return RtString(out);
}

RtString formatInt(double width, int value) {
  static RtString buffer;
  RtString& out = buffer;
  if (!formatBuffer(out)) return RtString();
  std::snprintf(out.buffer, static_cast<size_t>(kFormatLimit) + 1, "%*d", clampTo(width, kWidthBound), value);
  out.recomputeLength();
  return RtString(out);
}

RtString formatInt64(double width, std::int64_t value) {
  static RtString buffer;
  RtString& out = buffer;
  if (!formatBuffer(out)) return RtString();
  std::snprintf(out.buffer, static_cast<size_t>(kFormatLimit) + 1, "%*lld", clampTo(width, kWidthBound),
                static_cast<long long>(value));
  out.recomputeLength();
  return RtString(out);
}

}  // namespace mvn
