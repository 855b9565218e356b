// The runtime's start: from the process entry to the program's main routine.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/platform/window.h"

namespace mvn {

// The start routine: command line, the program's settings, the runtime, the
// program's main routine, the end.
void applicationMain(platform::ModuleHandle instance, const char* tail, int showCommand);

// The start-up sequence: log, timer, renderer with window and context,
// global objects, current directory, fonts, pointer, declared functions.
// Returns 0; when the context cannot be made it returns before the rest.
int initialiseRuntime(platform::ModuleHandle instance, int showCommand, const char* title);

// The release sequence: the quit hook once per process, then every global
// object in a fixed order. A second run does nothing more.
void shutdownRuntime();

// The command line after the program name and the blanks and tabs that
// follow it; a name in double quotes may contain blanks.
const char* commandTail(const char* line);

// The executable's directory with forward slashes (the path before its last
// slash; a path without one stays whole).
std::string executableDirectory();

// The seed of the random generator at start: MORVANE_SEED when set, else the
// high-resolution counter mixed with the wall clock.
uint32_t startupSeed();

}  // namespace mvn
