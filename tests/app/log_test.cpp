// The log writer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "runtime/core/log.h"
#include "tests/app/child_process.h"

namespace mvn {
namespace {

TEST(Log, AppendsTextsAsTheyStandAndNullAsNULL) {
  const std::string before = testing::fileText(logPath());
  logLine("one\n");
  logLine("");
  logLine(nullptr);
  logLine("two");
  EXPECT_EQ(testing::fileText(logPath()).substr(before.size()), "one\nNULLtwo");
}

TEST(Log, UnwritableLogDropsTheTextQuietly) {
  const char* saved = std::getenv("TMPDIR");
  const std::string keep = saved ? saved : "";
  setenv("TMPDIR", "/nonexistent-directory/below", 1);
  EXPECT_EQ(logPath(), "/nonexistent-directory/below/ErrorLog.txt");
  logLine("dropped\n");
  EXPECT_EQ(testing::fileText(logPath()), "");
  if (saved) setenv("TMPDIR", keep.c_str(), 1);
  else unsetenv("TMPDIR");
}

}  // namespace
}  // namespace mvn
