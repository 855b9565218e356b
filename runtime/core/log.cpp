#include "runtime/core/log.h"

#include <cstring>

#include "runtime/platform/files.h"

namespace mvn {

std::string logPath() { return platform::temporaryDirectory() + "ErrorLog.txt"; }

void logLine(TextRef textRef) {
  const char* text = textRef;
  if (!text) text = "NULL";
  const std::string path = logPath();
  // Another writer (a stream of ours, another process) may hold the file for a
  // moment; readers never keep it.
  for (int attempt = 0; attempt < 5; ++attempt) {
    const int handle = platform::openLogAppend(path.c_str());
    if (handle == platform::kNoFile) continue;
    const int64_t end = platform::fileSize(handle);
    platform::writeFileAt(handle, end < 0 ? 0 : end, text, static_cast<int64_t>(std::strlen(text)));
    platform::closeFile(handle);
    return;
  }
}

}  // namespace mvn
