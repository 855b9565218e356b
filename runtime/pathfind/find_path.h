// The path-finding command of programs.
#pragma once

#include "morvane/pathfind.h"

#include "runtime/values/rt_array.h"

namespace mvn {


}  // namespace mvn
