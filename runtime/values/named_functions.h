// The program's functions the runtime calls by name, and the hooks it calls
// by fixed names ("MVN_ON_QUIT", "MVN_ON_PAUSE", "MVN_ON_RESUME",
// "MVN_WIN32_MSG", "MVN_ON_LOOP").
#pragma once

namespace mvn {

using NamedFunctionPointer = void (*)();

// One entry of the table; an entry with a null function ends the table.
struct NamedFunction {
  NamedFunctionPointer function;
  const char* name;
};

// The program's table, fixed when the program is built. Until the program
// registers its own, the table holds only the ending entry.
extern const NamedFunction* namedFunctions;
// Makes table (ended by a null function) the program's table; null gives
// back the empty one.
void registerNamedFunctions(const NamedFunction* table);

// The function of the first entry whose name has the same bytes (case
// matters), or null.
NamedFunctionPointer findByName(const char* name);
// Calls the named function: 1 if one was called, else 0. A missing function
// other than the optional "MVN_ON_QUIT" and "MVN_WIN32_MSG" is reported to
// the debugger; no error code is set.
int callByName(const char* name);
// Runs the named function over and over as the main loop. Called from inside
// the running loop, it asks to switch to name once the current call returns;
// an empty name ends the loop.
void runLoop(const char* name);

}  // namespace mvn
