// Error registers and the runtime's error report.
#pragma once

namespace mvn {

extern int errorCode;      // code of the last error set; 0 means none
extern int errorLine;      // currentLine when the last error was set
extern int currentLine;    // source line of programs built with line tracking
extern int currentModule;

// Stores a non-zero code, remembers the line and writes "error: <hex>\n" to
// standard output. Returns code; setError(0) does nothing.
int setError(int code);

}  // namespace mvn
