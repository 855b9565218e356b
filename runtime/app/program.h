// The two routines every program on the runtime provides; the process entry
// calls them.
#pragma once

#include "morvane/program.h"

namespace mvn {




}  // namespace mvn
