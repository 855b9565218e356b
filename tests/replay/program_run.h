// Runs a program on the runtime as a child process in a folder of its own
// (its temporary directory, so its log): its exit status, what it wrote to
// standard output and standard error, and its log.
#pragma once

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/app/child_process.h"

#ifndef _WIN32
extern char** environ;
#endif

namespace replay_test {

namespace fs = std::filesystem;

inline std::string fileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

// Polls until done() holds; false only after a limit no machine needs.
template <typename Done>
bool waitFor(Done done, double seconds = 60) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

struct Ran {
  int status = -1;  // the exit status; -1 when it had to be killed
  std::string out, err, log;
};

// A fresh folder below the build tree's temporary directory.
inline fs::path freshFolder(const std::string& name) {
  const fs::path folder = fs::path(MORVANE_BINARY_DIR) / "tmp" / ("replay_" + name);
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

class Program {
 public:
  // env: "NAME=value" entries put in place of the test's own.
  Program(const fs::path& executable, const fs::path& folder, std::vector<std::string> env)
      : folder_(folder),
        child_(executable.string(), settings(folder, std::move(env)), "", "", {}, (folder / "stderr.txt").string()) {}

  bool started() const { return child_.started(); }
  // What an interrupt or the system's shutdown sends.
  void terminate() { child_.terminate(); }
  // Its standard output so far.
  const std::string& output() { return child_.output(); }

  Ran wait(double seconds = 60) {
    Ran ran;
    ran.status = child_.wait(seconds);
    ran.out = systemText(child_.output());
    ran.err = systemText(fileText(folder_ / "stderr.txt"));
    ran.log = fileText(folder_ / "ErrorLog.txt");
    return ran;
  }

 private:
  // The temporary directory is the folder; only the test's own settings of
  // the runtime count.
  static std::vector<std::string> settings(const fs::path& folder, std::vector<std::string> env) {
    env.push_back(mvn::testing::kTemporaryVariable + "=" + folder.string() + "/");
    env.push_back("MORVANE_NO_MESSAGEBOX=1");
    for (const std::string& entry : ownEnvironment())
      if (entry.rfind("MORVANE_", 0) == 0) env.push_back(entry.substr(0, entry.find('=')));
    return env;  // an entry both removed and given a value takes the value
  }

  // The test's own environment, "NAME=value" entries.
  static std::vector<std::string> ownEnvironment() {
    std::vector<std::string> entries;
#ifdef _WIN32
    if (char* block = GetEnvironmentStringsA()) {
      for (const char* e = block; *e; e += std::strlen(e) + 1) entries.push_back(e);
      FreeEnvironmentStringsA(block);
    }
#else
    for (char** e = environ; *e; ++e) entries.push_back(*e);
#endif
    return entries;
  }

  // Standard output and error in the system's text form read as lines ending
  // in "\n" alone.
  static std::string systemText(std::string text) {
#ifdef _WIN32
    std::string lines;
    for (size_t i = 0; i < text.size(); ++i)
      if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) lines += text[i];
    text = lines;
#endif
    return text;
  }

  fs::path folder_;
  mvn::testing::ChildProcess child_;
};

inline Ran runProgram(const fs::path& executable, const fs::path& folder,
                      const std::vector<std::string>& env, double seconds = 60) {
  Program program(executable, folder, env);
  return program.wait(seconds);
}

}  // namespace replay_test
