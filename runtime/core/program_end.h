// The one way out of a running program. endProgram and fatalError are public
// (morvane/errors.h) so that every module can end the program; they are
// defined by the application frame (runtime/app), which owns the release
// sequence.
#pragma once

#include "morvane/errors.h"

namespace mvn {

// endProgram with a given exit status (a start that could not complete).
void endProgramWithStatus(int status);
// True once an end is in progress.
bool endInProgress();

}  // namespace mvn
