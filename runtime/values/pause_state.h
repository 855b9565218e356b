// Whether the program is paused (its window went to the background) and
// whether pausing is allowed.
#pragma once

#include "morvane/program.h"

namespace mvn {






}  // namespace mvn
