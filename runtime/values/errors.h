// Error registers, the runtime's error report and its output channels.
#pragma once

#include "runtime/values/rt_string.h"

namespace mvn {

extern int errorCode;      // code of the last error set; 0 means none
extern int errorLine;      // currentLine when the last error was set
extern int currentLine;    // source line of programs built with line tracking
extern int currentModule;  // module of currentLine

// Codes of the runtime's errors.
enum ErrorCodes : int {
  kErrorNoSuchFile = 3,
  kErrorAddressFamily = 4,
  kErrorOutOfMemory = 7,
  kErrorAppendToMultiDimensional = 8,
  kErrorOutOfBounds = 9,
  kErrorOutOfData = 20,
  kErrorAssertion = 21,
};

// Sets errorCode, errorLine and currentLine to 0 (start-up, right before the
// program's entry routine).
void clearErrorRegisters();

// Stores a non-zero code, remembers the line and writes "error: <hex>\n" to
// standard output, flushed. Returns code; setError(0) does nothing.
int setError(int code);

// "%.4d %s" of errorCode and its text: "0009 out of bounds", "0000 success".
RtString errorText();

// True while a debugger traces the process (TracerPid in /proc/self/status).
bool debuggerAttached();
// Debugger output: with a debugger attached, "TX" and the text go to standard
// error (where a debugger session shows them); otherwise nothing.
void debugOutput(const char* text);
// The text as it stands, flushed.
void writeStdErr(const char* text);
void writeStdOut(const char* text);

// The report of an array index outside the dimensions: "bounds: " and
// "access: " lines, each to the debugger and then to standard error.
// sizes are the array's four extents, indices the count (1 to 4) indices of
// the access, after a negative first index was counted from the end. It sets
// no code and ends nothing; the caller does both.
void reportIndexFailure(const int sizes[4], const int* indices, int count);

// Nothing unless value is 0; then "Assertion: Value = 0" to the debugger,
// error 21 and the end of the program.
void assertValue(int value);

void setCurrentLine(int module, int line);

}  // namespace mvn
