// The one way out of a running program. Declared here so that every module
// can end the program; defined by the application frame (runtime/app), which
// owns the release sequence.
#pragma once

namespace mvn {

// Runs the quit hook, releases the runtime and exits the process (status 0,
// or the code of a fatal fault). Returns at once when an end is already in
// progress.
void endProgram();

// The end after a fault the program cannot go on from: setError(code), then
// endProgram(), and the process exits with code as its status. Returns only
// when an end is already in progress; the caller then abandons the operation.
void fatalError(int code);

// endProgram with a given exit status (a start that could not complete).
void endProgramWithStatus(int status);

// True once an end is in progress.
bool endInProgress();

}  // namespace mvn
