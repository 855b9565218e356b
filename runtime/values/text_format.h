// Numbers formatted with a width (and decimals) into a new text.
#pragma once

#include <cstdint>

#include "runtime/values/rt_string.h"

namespace mvn {

// The longest formatted text; a longer result is cut to this many characters.
constexpr int kFormatLimit = 143;

// "%<width>.<decimals>f" of value: (6, 2, 3.14159) gives "  3.14". A negative
// width aligns left; a negative number of decimals gives the default six.
RtString formatFixed(double width, double decimals, double value);
// "%<width>d" of value: (4, 10) gives "  10".
RtString formatInt(double width, int value);
// "%<width>lld" of value.
RtString formatInt64(double width, std::int64_t value);

}  // namespace mvn
