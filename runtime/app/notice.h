// Message boxes of the runtime.
#pragma once

#include "morvane/program.h"

namespace mvn {



}  // namespace mvn
