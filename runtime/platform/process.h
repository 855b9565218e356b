// The process: its command line, start-up information and environment (the
// executable's path and the temporary directory are file services, files.h).
#pragma once

#include <string>

namespace mvn::platform {

// The whole command line, program name included: the arguments joined by
// blanks, an argument containing a blank or a tab (or empty) in double quotes.
std::string commandLine();
// The show-window value of the start-up information: the decimal value of
// the environment variable MORVANE_SHOW_COMMAND. False when it carries none.
bool startupShowCommand(int& showCommand);
// The value of an environment variable; null when unset.
const char* environment(const char* name);
// True while a debugger is attached to the process.
bool debuggerPresent();
// The running process's id: no other running process has the same.
unsigned processId();
// A number from the system's source of randomness, different at every call
// and in every process; never from the program's own generator.
unsigned randomNumber();

}  // namespace mvn::platform
