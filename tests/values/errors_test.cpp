#include "runtime/values/errors.h"

#include <gtest/gtest.h>

#include <string>

#include "child_process.h"

using namespace mvn;

TEST(SetError, ZeroChangesNothing) {
  errorCode = 5;
  errorLine = 6;
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(setError(0), 0);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(errorCode, 5);
  EXPECT_EQ(errorLine, 6);
}

TEST(SetError, StoresCodeAndLineAndWritesHexLine) {
  setCurrentLine(2, 140);
  EXPECT_EQ(currentModule, 2);
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(setError(21), 21);
  EXPECT_EQ(setError(9), 9);
  EXPECT_EQ(setError(-1), -1);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "error: 15\nerror: 9\nerror: ffffffff\n");
  EXPECT_EQ(errorCode, -1);
  EXPECT_EQ(errorLine, 140);
  clearErrorRegisters();
  EXPECT_EQ(errorCode, 0);
  EXPECT_EQ(errorLine, 0);
  EXPECT_EQ(currentLine, 0);
}

TEST(ErrorText, CodeAndItsText) {
  struct Case {
    int code;
    const char* text;
  } cases[] = {{0, "0000 success"},       {3, "0003 no such file"},  {4, "0004 unknown error"},
               {7, "0007 out of memory"}, {8, "0008 unknown error"}, {9, "0009 out of bounds"},
               {20, "0020 out of data"},  {21, "0021 unknown error"}, {-1, "-0001 unknown error"},
               {12345, "12345 unknown error"}};
  for (const Case& c : cases) {
    errorCode = c.code;
    EXPECT_STREQ(errorText().c_str(), c.text);
  }
  errorCode = 0;
}

TEST(Channels, WriteAsTheyStandAndDebuggerOutputOnlyWhenTraced) {
  EXPECT_FALSE(debuggerAttached());
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  writeStdOut("ok\n");
  writeStdErr("100%s\n");
  debugOutput("not shown\n");
  writeStdOut(nullptr);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "ok\n");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "100%s\n");
}

TEST(ReportIndexFailure, BracketsForExtentsAndIndices) {
  struct Case {
    int sizes[4];
    int indices[4];
    int count;
    const char* report;
  } cases[] = {
      {{10, 10, 0, 0}, {5, 12, 0, 0}, 2, "bounds: [  10][  10]\naccess: [   5][  12]\n"},
      {{5, 0, 0, 0}, {12345, 0, 0, 0}, 1, "bounds: [   5]\naccess: [12345]\n"},
      {{5, 0, 0, 0}, {-1, 0, 0, 0}, 2, "bounds: [   5]\naccess: [  -1]\n"},
      {{5, 0, 0, 0}, {2, 1, 0, 0}, 2, "bounds: [   5]\naccess: [   2][   1]\n"},
      {{4, 3, 2, 0}, {1, 1, 2, 0}, 3, "bounds: [   4][   3][   2]\naccess: [   1][   1][   2]\n"},
      {{4, 3, 2, 0}, {9, 1, 0, 0}, 2, "bounds: [   4][   3]\naccess: [   9][   1]\n"},
      {{4, 0, 2, 0}, {1, 0, 5, 0}, 3, "bounds: [   4]\naccess: [   1][   0][   5]\n"},
      {{0, 0, 0, 0}, {0, 0, 0, 0}, 1, "bounds: [   0]\naccess: [   0]\n"},
  };
  for (const Case& c : cases) {
    ::testing::internal::CaptureStderr();
    ::testing::internal::CaptureStdout();
    reportIndexFailure(c.sizes, c.indices, c.count);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.report);
  }
}

TEST(AssertValue, NonZeroPassesZeroEndsTheProgramWithCode21) {
  assertValue(1);
  assertValue(-7);
  ChildResult child = runInChild([] { assertValue(0); });
  const int line = __LINE__ - 1;
  EXPECT_EQ(child.exitStatus, 21);
  EXPECT_EQ(child.out, "error: 15\nexit\n");
  EXPECT_EQ(child.err, "at: " + std::string(__FILE__) + ":" + std::to_string(line) + "\n");
}
