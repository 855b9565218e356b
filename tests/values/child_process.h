// Runs a piece of code in a child process and collects how it ended: exit
// status and everything it wrote to standard output and standard error.
//
// POSIX forks. Windows cannot: the child is this test executable started
// again on the running test alone, which runs the test from its start; there
// the n-th runInChild of the test runs its code and the earlier ones return
// at once, as the system's own death tests do.
#pragma once

#include <gtest/gtest.h>

#ifdef _WIN32
#include "tests/app/child_process.h"
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

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

#ifdef _WIN32

// The program's own path, in UTF-8.
inline std::string ownExecutable() {
  std::wstring path(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(n);
  const int size = WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(n), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(n), text.data(), size, nullptr, nullptr);
  return text;
}

// The child gets fresh files for its standard output and error; when body
// returns, the child exits with status 99.
inline ChildResult runInChild(const std::function<void()>& body) {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string testName = std::string(test->test_suite_name()) + "." + test->name();
  // The calls of the running test, counted from 1.
  static std::string countedTest;
  static int calls = 0;
  if (countedTest != testName) countedTest = testName, calls = 0;
  const int call = ++calls;

  if (const char* wanted = std::getenv("MVN_CHILD_CALL")) {
    if (std::atoi(wanted) != call) return {};
    if (std::freopen(std::getenv("MVN_CHILD_OUT"), "wb", stdout) == nullptr) _exit(98);
    if (std::freopen(std::getenv("MVN_CHILD_ERR"), "wb", stderr) == nullptr) _exit(98);
    body();
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(99);
  }

  const char* tmp = std::getenv("TMP");
  const std::string base = std::string(tmp != nullptr ? tmp : ".") + "/values_child_" +
                           std::to_string(GetCurrentProcessId());
  const std::string outPath = base + ".out", errPath = base + ".err";
  std::fflush(stdout);
  std::fflush(stderr);
  ChildResult result;
  {
    mvn::testing::ChildProcess child(
        ownExecutable(),
        {"MVN_CHILD_CALL=" + std::to_string(call), "MVN_CHILD_OUT=" + outPath, "MVN_CHILD_ERR=" + errPath},
        "", "", {"--gtest_filter=" + testName});
    result.exitStatus = child.wait(120);
  }
  result.out = readWhole(outPath);
  result.err = readWhole(errPath);
  std::remove(outPath.c_str());
  std::remove(errPath.c_str());
  return result;
}

#else

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

#endif
