// The runtime's log, "ErrorLog.txt" in the temporary directory.
#pragma once

#include <string>

namespace mvn {

// Appends text as it stands (every logged text carries its own "\n");
// a null text is written as "NULL".
void logLine(const char* text);

// The log file's full path.
std::string logPath();

}  // namespace mvn
