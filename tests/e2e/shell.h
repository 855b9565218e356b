// Shell commands for the end-to-end tests: xdotool, ImageMagick and the like.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace e2e {

// Runs a command through the shell and returns what it printed.
inline std::string run(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  pclose(pipe);
  return output;
}

inline void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace e2e
