// Pieces of the start-up that need no window: the command line's tail, the
// seed, the declared functions, the automation settings.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "runtime/app/automation.h"
#include "runtime/app/declared_functions.h"
#include "runtime/core/log.h"
#include "runtime/app/startup.h"
#include "runtime/app/window_procedure.h"
#include "runtime/platform/time.h"
#include "tests/app/child_process.h"
#include "tests/support/environment.h"

namespace mvn {
namespace {

TEST(Startup, CommandTailSkipsTheProgramName) {
  struct Case {
    const char* line;
    const char* tail;
  } cases[] = {
      {"prog", ""},
      {"prog a b", "a b"},
      {"prog \t  a", "a"},
      {"\"C:/my games/prog.exe\"  -x y", "-x y"},
      {"\"C:/my games/prog.exe\"", ""},
      {"\"unclosed name", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_STREQ(commandTail(c.line), c.tail) << c.line;
}

TEST(Startup, SeedDiffersBetweenRunsUnlessNamed) {
  unsetenv("MORVANE_SEED");
  const uint32_t first = startupSeed();
  platform::sleepMs(1);
  const uint32_t second = startupSeed();
  EXPECT_NE(first, second);
  // Not a small count of milliseconds since some recent start.
  EXPECT_FALSE(first < 100000 && second < 100000);

  setenv("MORVANE_SEED", "123456789", 1);
  EXPECT_EQ(startupSeed(), 123456789u);
  setenv("MORVANE_SEED", "not a number", 1);
  EXPECT_NE(startupSeed(), 0u);
  unsetenv("MORVANE_SEED");
}

TEST(Automation, SettingsChangeNothingWhenUnset) {
  unsetenv("MORVANE_FRAMES");
  unsetenv("MORVANE_NO_MESSAGEBOX");
  EXPECT_EQ(automationFrameLimit(), 0);
  EXPECT_FALSE(messageBoxesSuppressed());
  setenv("MORVANE_FRAMES", "250", 1);
  EXPECT_EQ(automationFrameLimit(), 250);
  setenv("MORVANE_FRAMES", "-3", 1);
  EXPECT_EQ(automationFrameLimit(), 0);
  setenv("MORVANE_NO_MESSAGEBOX", "0", 1);
  EXPECT_FALSE(messageBoxesSuppressed());
  setenv("MORVANE_NO_MESSAGEBOX", "1", 1);
  EXPECT_TRUE(messageBoxesSuppressed());
  unsetenv("MORVANE_FRAMES");
}

void (*missingFunction)() = nullptr;
void (*missingModuleFunction)() = nullptr;

TEST(DeclaredFunctions, ResolvesTheTwoPointerFunctionsAndReportsWhatIsMissing) {
  // The runtime's own two declarations come first, in declaration order.
  const auto& declared = declaredFunctions();
  ASSERT_GE(declared.size(), 2u);
  EXPECT_EQ(declared[0].moduleName, "user32.dll");
  EXPECT_EQ(declared[0].functionName, "GetPointerTouchInfo");
  EXPECT_EQ(declared[1].moduleName, "User32.dll");
  EXPECT_EQ(declared[1].functionName, "EnableMouseInPointer");
  EXPECT_EQ(GetPointerTouchInfo, nullptr);

  missingFunction = [] {};
  declareFunction("USER32.DLL", "NoSuchFunction", &missingFunction);
  EXPECT_EQ(missingFunction, nullptr);  // null from the declaration on
  declareFunction("nosuchlibrary.dll", "Anything", &missingModuleFunction);

  const std::string before = testing::fileText(logPath());
  resolveDeclaredFunctions();
  EXPECT_NE(GetPointerTouchInfo, nullptr);
  EXPECT_NE(EnableMouseInPointer, nullptr);
  EXPECT_EQ(missingFunction, nullptr);
  EXPECT_EQ(missingModuleFunction, nullptr);
  const std::string log = testing::fileText(logPath()).substr(before.size());
  EXPECT_EQ(log,
            "Delay load DLLs\n"
            "DECLARE entry not found: NoSuchFunction\n\n"
            "DECLARE module not found: nosuchlibrary.dll\n\n");
}

}  // namespace
}  // namespace mvn
