// The log writer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
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

// Someone reading the log while the program writes (a test waiting for a
// line, a user's viewer) costs no line.
TEST(Log, AReaderOfTheLogCostsNoLine) {
  logLine("");
  std::ifstream reader(logPath(), std::ios::binary);
  ASSERT_TRUE(reader.is_open());
  const std::string before = testing::fileText(logPath());
  logLine("written while read\n");
  reader.close();
  EXPECT_EQ(testing::fileText(logPath()).substr(before.size()), "written while read\n");
}

TEST(Log, UnwritableLogDropsTheTextQuietly) {
  const char* variable = testing::kTemporaryVariable.c_str();
  const char* saved = std::getenv(variable);
  const std::string keep = saved ? saved : "";
  setenv(variable, "/nonexistent-directory/below", 1);
  // Windows puts the drive in front ("Z:/nonexistent-directory/...").
  const std::string path = logPath();
  const std::string expected = "/nonexistent-directory/below/ErrorLog.txt";
  ASSERT_GE(path.size(), expected.size());
  EXPECT_EQ(path.substr(path.size() - expected.size()), expected) << path;
  logLine("dropped\n");
  EXPECT_EQ(testing::fileText(logPath()), "");
  if (saved) setenv(variable, keep.c_str(), 1);
  else unsetenv(variable);
}

}  // namespace
}  // namespace mvn
