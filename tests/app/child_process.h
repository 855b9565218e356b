// Runs a program of tests/programs as a child process with extra environment
// variables, collecting its standard output (and, when asked, its standard
// error); a child that outlives its time is killed, and no child outlives
// the test.
//
// ChildProcess(path, env, directory, argv0, args, errorFile): path is the
// executable (kProgramSuffix appended by the caller); env holds "NAME=value"
// entries added to (or replacing in) the test's own environment and "NAME"
// entries removed from it; directory is the child's current directory;
// errorFile receives its standard error (the test's own when empty).
//   started(): whether the program could be started;
//   wait(seconds): the exit status, or -1 when it had to be killed (or died
//     of a signal);
//   terminate(): an end request from outside, as the system sends one;
//   output(): everything printed so far (as text: Windows' "\r\n" read as "\n").
#pragma once

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "tests/support/environment.h"

#ifdef _WIN32
#include "tests/app/child_process_win32.h"
#else
#include "tests/app/child_process_posix.h"
#endif

namespace mvn::testing {

// What the building system appends to an executable's name ("" or ".exe").
inline const std::string kProgramSuffix = MORVANE_PROGRAM_SUFFIX;

inline std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Polls until predicate() holds; false after `seconds`, a limit only to give up.
template <typename P>
bool waitFor(P predicate, double seconds = 60) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!predicate()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

}  // namespace mvn::testing
