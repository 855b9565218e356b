// The process on POSIX: the command line from /proc, the environment.
#include "runtime/platform/process.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace mvn::platform {

std::string commandLine() {
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string line;
  size_t start = 0;
  while (start < raw.size()) {
    size_t end = raw.find('\0', start);
    if (end == std::string::npos) end = raw.size();
    const std::string argument = raw.substr(start, end - start);
    if (!line.empty()) line += ' ';
    if (argument.empty() || argument.find_first_of(" \t") != std::string::npos)
      line += '"' + argument + '"';
    else
      line += argument;
    start = end + 1;
  }
  return line;
}

bool startupShowCommand(int& showCommand) {
  const char* value = std::getenv("MORVANE_SHOW_COMMAND");
  if (!value || !*value) return false;
  char* end = nullptr;
  const long parsed = std::strtol(value, &end, 10);
  if (*end != '\0') return false;
  showCommand = static_cast<int>(parsed);
  return true;
}

const char* environment(const char* name) { return name ? std::getenv(name) : nullptr; }

bool debuggerPresent() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return false;
  char line[256];
  bool attached = false;
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::strncmp(line, "TracerPid:", 10) == 0) {
      int pid = 0;
      attached = std::sscanf(line + 10, "%d", &pid) == 1 && pid != 0;
      break;
    }
  }
  std::fclose(status);
  return attached;
}

}  // namespace mvn::platform
