// Choosing the font text is drawn in, and what the program may ask of it.
#pragma once

#include "morvane/fonts.h"

namespace mvn {









}  // namespace mvn
