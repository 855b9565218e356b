// The error report's insides: the registers' reset at start-up and the output
// channels. The error registers, codes and commands are public
// (morvane/errors.h).
#pragma once

#include "morvane/errors.h"

namespace mvn {

extern int currentModule;  // module of currentLine

// Sets errorCode, errorLine and currentLine to 0 (start-up, right before the
// program's entry routine).
void clearErrorRegisters();

// True while a debugger is attached to the process (platform::debuggerPresent).
bool debuggerAttached();
// Debugger output: with a debugger attached, "TX" and the text go to standard
// error (where a debugger session shows them); otherwise nothing.
void debugOutput(const char* text);
// The text as it stands, flushed.
void writeStdErr(const char* text);
void writeStdOut(const char* text);

}  // namespace mvn
