#include "runtime/app/log.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace mvn {

std::string logPath() {
  const char* tmp = std::getenv("TMPDIR");
  std::string dir = (tmp && *tmp) ? tmp : "/tmp";
  if (dir.back() != '/') dir += '/';
  return dir + "ErrorLog.txt";
}

void logLine(const char* text) {
  if (!text) text = "NULL";
  const std::string path = logPath();
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (std::FILE* f = std::fopen(path.c_str(), "ab")) {
      std::fwrite(text, 1, std::strlen(text), f);
      std::fclose(f);
      return;
    }
  }
}

}  // namespace mvn
