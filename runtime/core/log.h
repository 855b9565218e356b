// The runtime's log, "ErrorLog.txt" in the temporary directory.
#pragma once

#include "morvane/program.h"

#include <string>

namespace mvn {



// The log file's full path.
std::string logPath();

}  // namespace mvn
