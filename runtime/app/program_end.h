// The one way out of a running program.
#pragma once

namespace mvn {

// Runs the quit hook, releases the runtime and exits the process. Returns at
// once when an end is already in progress.
void endProgram();

}  // namespace mvn
