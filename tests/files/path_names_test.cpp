// Path names under the rules of each kind of system, whichever system runs
// the test.
#include <gtest/gtest.h>

#include "runtime/platform/path_names.h"

namespace mvn::platform {
namespace {

using Rules = PathRules;

TEST(PathNames, AbsoluteUnderEachSystemsRules) {
  struct Case {
    const char* name;
    bool posix;
    bool windows;
  } const cases[] = {
      {"/tmp/x", true, false},     // a root without a drive hangs off the current drive
      {"\\tmp\\x", true, false},   // "\" separates in every runtime name
      {"C:\\Users\\me", false, true},
      {"c:/Users/me", false, true},
      {"C:", false, false},        // the current directory of drive C
      {"C:dir\\file", false, false},
      {"\\\\server\\share\\f", true, true},  // UNC
      {"//server/share", true, true},
      {"relative/dir", false, false},
      {"1:/x", false, false},      // not a drive letter
      {"", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(isAbsolutePath(c.name, Rules::Posix), c.posix) << c.name;
    EXPECT_EQ(isAbsolutePath(c.name, Rules::Windows), c.windows) << c.name;
  }
}

TEST(PathNames, SameNameUnderEachSystemsRules) {
  struct Case {
    const char* a;
    const char* b;
    bool posix;
    bool windows;
  } const cases[] = {
      {"/tmp/dir", "/tmp/dir", true, true},
      {"/tmp/dir", "\\tmp\\dir", true, true},
      {"C:/Game/Media", "c:\\game\\MEDIA", false, true},
      {"C:/Game/Media", "C:/Game/Medi", false, false},
      {"C:/Game/Media", "C:/Game/Media2", false, false},
      {"/tmp/Dir", "/tmp/dir", false, true},
      {"/tmp/dir", "/tmp/dir/", false, false},  // another spelling stays in use
      {"", "", true, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(samePathName(c.a, c.b, Rules::Posix), c.posix) << c.a << " | " << c.b;
    EXPECT_EQ(samePathName(c.a, c.b, Rules::Windows), c.windows) << c.a << " | " << c.b;
  }
}

}  // namespace
}  // namespace mvn::platform
