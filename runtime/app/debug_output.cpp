#include "runtime/app/debug_output.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace mvn {

namespace {

bool traced() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("TracerPid:", 0) == 0) return std::strtol(line.c_str() + 10, nullptr, 10) != 0;
  return false;
}

}  // namespace

void debugOutput(const char* text) {
  if (!traced()) return;
  std::fprintf(stderr, "TX%s", text ? text : "");
  std::fflush(stderr);
}

void debugWarning(const char* text) {
  std::fputs(text ? text : "", stderr);
  std::fflush(stderr);
}

}  // namespace mvn
