// Text output in the current font.
#pragma once

#include "morvane/fonts.h"

namespace mvn {





}  // namespace mvn
