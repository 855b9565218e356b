/// @file
/// Runtime errors: the error code every command sets, the named codes, the
/// program's end, assertions, and the program's functions called by name.
///
/// A failing command stores a code in mvn::errorCode, writes "error: " and the code in
/// hexadecimal on a line of standard output and returns a failure value;
/// it never throws. A command that succeeds clears errorCode to 0 only where
/// its comment says so; read errorCode right after the command you check.
/// Faults a program cannot go on from (an array index outside the
/// dimensions, an allocation failure while dimensioning, appending to a
/// multi-dimensional array, a failed assertion) report, set the code and end
/// the program. With the environment variable MORVANE_TRACE_ERRORS=1 every
/// error a command sets is also described on standard error in one line:
/// the command with its arguments, the code and the reason.
#pragma once

#include "morvane/text.h"

namespace mvn {

/// Where in the program's source a command was called: the compiler fills
/// it in, as the defaulted last argument of the commands that may end the
/// program (fatalError(), assertValue(), an array's element access and
/// dimensioning), so that the end names the line that caused it.
struct SourcePlace {
  const char* file = nullptr;  ///< the source file, as the compiler was given it; null: unknown
  int line = 0;                ///< the line in it
};

/// The runtime's error codes.
enum ErrorCodes : int {
  kErrorNone = 0,                      ///< "success": no error
  kErrorNoSuchFile = 3,                ///< "no such file": a file cannot be found, opened or decoded
  kErrorAddressFamily = 4,             ///< a network address of an unknown family
  kErrorOutOfMemory = 7,               ///< "out of memory": an allocation fails
  kErrorOutOfRange = 7,                ///< a slot, font, sound or mouse number outside its range (the same code)
  kErrorAppendToMultiDimensional = 8,  ///< an element appended to an array of more than one dimension
  kErrorOutOfBounds = 9,               ///< "out of bounds": an array index outside the dimensions
  kErrorOutOfData = 20,                ///< "out of data": reading past the program's data list
  kErrorAssertion = 21,                ///< an assertion failed
};

/// Code of the last error set; 0 (::kErrorNone) means none. Commands that
/// report success clear it where their comment says so.
extern int errorCode;
/// ::currentLine at the moment the last error was set.
extern int errorLine;
/// Source line of programs built with line tracking (see setCurrentLine).
extern int currentLine;

/// Reports an error: stores a non-zero code in ::errorCode, remembers the
/// line and writes "error: " and the code in lower-case hexadecimal on a line of
/// standard output. setError(0) does nothing.
/// @param code the code, normally one of ::ErrorCodes
/// @return code
int setError(int code);
/// The code and its text, "%.4d %s": "0009 out of bounds", "0000 success";
/// codes without a text of their own read "unknown error". Code 7 is shared
/// by ::kErrorOutOfMemory and ::kErrorOutOfRange and reads "0007 out of
/// memory" for a number out of range too; MORVANE_TRACE_ERRORS=1 says which.
/// @return the text of ::errorCode
RtString errorText();
/// Ends the program with a failed assertion when value is 0 ("Assertion:
/// Value = 0" to the debugger, ::kErrorAssertion, exit status 21).
/// @param value the asserted value; anything but 0 does nothing
/// @param at where it was called (filled in by the compiler)
void assertValue(int value, SourcePlace at = {__builtin_FILE(), __builtin_LINE()});
/// Records where the program is, for ::errorLine.
/// @param module the source module's number @param line the source line
void setCurrentLine(int module, int line);

/// Ends the program: runs the program's "MVN_ON_QUIT" function, stops the
/// music, releases input, sound, the window and the archive, deletes the
/// runtime's temporary files and exits with status 0 (or the code of a fatal
/// fault). Called while an end is in progress (from "MVN_ON_QUIT"), it
/// returns at once. Escape, left Alt with F4 and the window's close button
/// end a program the same way.
void endProgram();
/// Ends the program after a fault it cannot go on from: setError(code), then
/// "at: FILE:LINE" (where it was called) on standard error and in the log,
/// then endProgram(), with code as the exit status.
/// @param code the fault's code, one of ::ErrorCodes
/// @param at where it was called (filled in by the compiler)
void fatalError(int code, SourcePlace at = {__builtin_FILE(), __builtin_LINE()});

/// A function of the program the runtime may call by name.
using NamedFunctionPointer = void (*)();
/// One entry of the program's table of functions callable by name.
struct NamedFunction {
  NamedFunctionPointer function;  ///< the function; null ends the table
  const char* name;               ///< its name; case matters
};
/// Gives the runtime the program's table of functions callable by name,
/// ended by an entry with a null function. The runtime calls, when the
/// program has them: "MVN_ON_QUIT" at the end, "MVN_ON_PAUSE" and
/// "MVN_ON_RESUME" when the window loses and regains the foreground,
/// "MVN_WIN32_MSG" before each window message, "MVN_ON_LOOP" as the main
/// loop after gameMain returns. Call it in applyGameSettings.
/// @param table the entries; null gives back the empty table
void registerNamedFunctions(const NamedFunction* table);
/// @param name the function's name, compared byte for byte
/// @return the function of the first entry of that name, or null
NamedFunctionPointer findByName(TextRef name);
/// Calls the named function; a missing one (other than the optional
/// "MVN_ON_QUIT" and "MVN_WIN32_MSG") is reported to the debugger, no error
/// code is set.
/// @param name the function's name
/// @return 1 when a function was called, else 0
int callByName(TextRef name);
/// Runs the named function over and over as the main loop. Called from
/// inside the running loop, it switches to name once the current call
/// returns.
/// @param name the function's name; an empty name ends the loop
void runLoop(TextRef name);

/// @cond
// Used by RtArray's checked access: the "bounds: " and "access: " report.
void reportIndexFailure(const int sizes[4], const int* indices, int count);
/// @endcond

}  // namespace mvn
