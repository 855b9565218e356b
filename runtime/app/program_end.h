// The one way out of a running program.
#pragma once

namespace mvn {

// Runs the quit hook, releases the runtime and exits the process. Returns at
// once when an end is already in progress.
void endProgram();

}  // namespace mvn

namespace mvn {

// The end after a fault the program cannot go on from: setError(code), then
// endProgram(), and the process exits with code as its status. Returns only
// when an end is already in progress; the caller then abandons the operation.
void fatalError(int code);

}  // namespace mvn
