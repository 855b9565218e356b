#include "runtime/app/log.h"

#include <cstring>

#include "runtime/files/rt_file.h"
#include "runtime/platform/files.h"

namespace mvn {

std::string logPath() { return platform::temporaryDirectory() + "ErrorLog.txt"; }

void logLine(const char* text) {
  if (!text) text = "NULL";
  const std::string path = logPath();
  for (int attempt = 0; attempt < 5; ++attempt) {
    RtFile file;
    if (file.openAppend(path.c_str())) {
      file.write(text, static_cast<int64_t>(std::strlen(text)));
      file.close();
      return;
    }
  }
}

}  // namespace mvn
