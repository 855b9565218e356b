#include "runtime/values/named_functions.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/ptrace.h>
#endif

#include <string>

#include "child_process.h"
#include "runtime/values/errors.h"
#include "runtime/values/pause_state.h"

using namespace mvn;

namespace {

std::string calls;

void onPause() { calls += "P"; }
void onResume() { calls += "R"; }
void onQuit() { calls += "Q"; }

const NamedFunction hooks[] = {
    {onPause, "MVN_ON_PAUSE"}, {onResume, "MVN_ON_RESUME"}, {onQuit, "MVN_ON_QUIT"}, {nullptr, nullptr}};

// Loops that run a few times, switch to each other and end.
int passes = 0;
void loopB();
void loopA() {
  calls += "a";
  if (++passes == 3) runLoop("LOOP_B");
}
void loopB() {
  calls += "b";
  if (++passes == 5) runLoop("");
}
void loopToMissing() {
  calls += "m";
  runLoop("NO_SUCH_LOOP");
}

const NamedFunction loops[] = {
    {loopA, "LOOP_A"}, {loopB, "LOOP_B"}, {loopToMissing, "LOOP_M"}, {nullptr, nullptr}};

class NamedFunctions : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    passes = 0;
    paused = 0;
    allowPause = 1;
  }
  void TearDown() override { registerNamedFunctions(nullptr); }
};

}  // namespace

TEST_F(NamedFunctions, TheEmptyTableFindsNothing) {
  EXPECT_EQ(namedFunctions[0].function, nullptr);
  EXPECT_EQ(findByName("MVN_ON_LOOP"), nullptr);
  int before = errorCode;
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(callByName("MVN_ON_QUIT"), 0);
  EXPECT_EQ(callByName("MVN_WIN32_MSG"), 0);
  EXPECT_EQ(callByName("MVN_ON_PAUSE"), 0);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");  // no debugger attached
  EXPECT_EQ(errorCode, before);
}

TEST_F(NamedFunctions, LookUpIsExactAndCaseSensitive) {
  registerNamedFunctions(hooks);
  EXPECT_EQ(findByName("MVN_ON_PAUSE"), &onPause);
  EXPECT_EQ(findByName("mvn_on_pause"), nullptr);
  EXPECT_EQ(findByName("MVN_ON_PAUS"), nullptr);
  EXPECT_EQ(findByName("MVN_ON_PAUSEX"), nullptr);
  EXPECT_EQ(findByName(nullptr), nullptr);
  EXPECT_EQ(callByName("MVN_ON_QUIT"), 1);
  EXPECT_EQ(callByName("Mvn_On_Quit"), 0);
  EXPECT_EQ(calls, "Q");
}

TEST_F(NamedFunctions, MissingFunctionsAreReportedToAnAttachedDebugger) {
#ifdef _WIN32
  GTEST_SKIP() << "making this process the debugger of a child takes a debug loop of its own there (ptrace here)";
#else
  // The child asks to be traced by this process, which then counts as its
  // debugger; the child meets no signal, so it never stops.
  ChildResult child = runInChild([] {
    if (ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) _exit(77);
    callByName("MVN_ON_RESUME");
    callByName("MVN_ON_QUIT");
    debugOutput("line\n");
    std::fflush(stderr);
    _exit(0);
  });
  if (child.exitStatus == 77) GTEST_SKIP() << "tracing is not permitted here";
  EXPECT_EQ(child.exitStatus, 0);
  EXPECT_EQ(child.err, "TXCALLBYNAME \"MVN_ON_RESUME\" *** failed ***\nTXline\n");
#endif
}

TEST_F(NamedFunctions, PauseAndResumeCallTheirHooksOnChangesOnly) {
  registerNamedFunctions(hooks);
  setPaused(1);
  setPaused(1);  // already paused: nothing
  EXPECT_EQ(paused, 1);
  setPaused(0);
  setPaused(0);
  EXPECT_EQ(calls, "PR");
  setPaused(7);  // any non-zero flag pauses
  EXPECT_EQ(paused, 1);
  setAllowPause(0);  // forbidding ends the pause
  EXPECT_EQ(paused, 0);
  EXPECT_EQ(allowPause, 0);
  setPaused(1);  // not allowed: stays running
  EXPECT_EQ(paused, 0);
  setAllowPause(5);
  EXPECT_EQ(allowPause, 1);
  EXPECT_EQ(calls, "PRPR");
}

TEST_F(NamedFunctions, RunLoopSwitchesAndEnds) {
  registerNamedFunctions(loops);
  runLoop("LOOP_A");
  EXPECT_EQ(calls, "aaabb");
  calls.clear();
  runLoop("LOOP_M");  // switching to a missing loop ends the loop
  EXPECT_EQ(calls, "m");
  calls.clear();
  runLoop("NO_SUCH_LOOP");
  runLoop("");
  EXPECT_EQ(calls, "");
}
