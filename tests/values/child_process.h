// Runs a piece of code in a child process and collects how it ended: exit
// status and everything it wrote to standard output and standard error.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

struct ChildResult {
  int exitStatus = -1;  // -1 when the child did not exit normally
  std::string out;
  std::string err;
};

inline std::string readWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The child gets fresh files for its standard output and error; when body
// returns, the child exits with status 99.
inline ChildResult runInChild(const std::function<void()>& body) {
  const char* tmp = std::getenv("TMPDIR");
  std::string base = std::string(tmp != nullptr ? tmp : "/tmp") + "/values_child_" + std::to_string(getpid());
  std::string outPath = base + ".out", errPath = base + ".err";
  std::fflush(stdout);
  std::fflush(stderr);
  pid_t pid = fork();
  if (pid == 0) {
    if (std::freopen(outPath.c_str(), "w", stdout) == nullptr) _exit(98);
    if (std::freopen(errPath.c_str(), "w", stderr) == nullptr) _exit(98);
    body();
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(99);
  }
  ChildResult result;
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
  result.out = readWhole(outPath);
  result.err = readWhole(errPath);
  std::remove(outPath.c_str());
  std::remove(errPath.c_str());
  return result;
}
