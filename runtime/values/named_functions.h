// The program's functions the runtime calls by name: the table and the
// commands are public (morvane/errors.h); the table itself lives here.
#pragma once

#include "morvane/errors.h"

namespace mvn {

// The program's table, fixed when the program is built. Until the program
// registers its own, the table holds only the ending entry.
extern const NamedFunction* namedFunctions;

}  // namespace mvn
