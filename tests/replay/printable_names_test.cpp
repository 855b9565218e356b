// Names taken from a file reach the terminal and the log escaped and cut: a
// recording whose program name is a terminal's control sequence neither
// retitles nor clears the terminal that shows the refusal.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "runtime/core/printable_text.h"
#include "runtime/platform/recording.h"
#include "runtime/platform/recording/run_file.h"

namespace mvn {
namespace {

TEST(PrintableText, EscapesWhatATerminalActsOnAndCutsLongText) {
  const struct Case {
    std::string text;
    size_t limit;
    std::string printed;
  } cases[] = {
      {"Quadrivolant", 200, "Quadrivolant"},
      {"", 200, ""},
      {"\x1b]0;title\x07\x1b[2J", 200, "\\x1b]0;title\\x07\\x1b[2J"},
      {"line\nbreak\r\ttab\x7f", 200, "line\\x0abreak\\x0d\\x09tab\\x7f"},
      {"\xc3\xa9t\xc3\xa9 \x9b" "2J", 200, "\\xc3\\xa9t\\xc3\\xa9 \\x9b2J"},
      {"back\\slash", 200, "back\\\\slash"},
      {std::string("a\0b", 3), 200, "a\\x00b"},
      {"abcdefgh", 5, "abcde..."},
      {"abc\x1b", 5, "abc..."},  // an escape is never cut in two
      {"abcde", 5, "abcde"},
  };
  for (const Case& c : cases) EXPECT_EQ(printableText(c.text, c.limit), c.printed) << c.printed;
}

TEST(PrintableText, ARecordingsNamesAreEscapedInTheRefusal) {
  const std::string path = std::string(MORVANE_BINARY_DIR) + "/tmp/printable_names.mvr";
  const std::string hostile = "\x1b]0;owned\x07\x1b[2J" + std::string(5000, 'A');
  for (const bool program : {true, false}) {
    platform::runfile::Contents run;
    run.header.program = program ? hostile : "Quadrivolant";
    run.header.build = program ? "b" : hostile;
    platform::runfile::Item end;
    end.kind = platform::runfile::ItemKind::End;
    run.items.push_back(end);
    std::ofstream(path, std::ios::binary) << platform::runfile::encodeRun(run);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(platform::beginReplay(path, {"Quadrivolant", "b"}, true));
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.find('\x1b'), std::string::npos) << program;
    EXPECT_EQ(err.find('\x07'), std::string::npos) << program;
    EXPECT_NE(err.find("\\x1b]0;owned\\x07\\x1b[2J"), std::string::npos) << err;
    EXPECT_LT(err.size(), path.size() + 400) << program;
  }
}

}  // namespace
}  // namespace mvn
