// The shoebox tool as its users run it, and the runtime reading what it writes.
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <vector>

#include "runtime/files/memory_name.h"
#include "tests/app/child_process.h"
#include "tests/files/shoebox_fixture.h"

namespace mvn {
namespace {

using testarchive::buildArchive;
using testarchive::lzoBlock;
using testarchive::Mode;

struct ToolRun {
  int status;
  std::string output;  // standard output, then standard error
};

// Made whole before any test changes the directory: on Windows a path from
// the root lies on the current directory's drive.
const std::string kTool =
    std::filesystem::absolute(std::string(MORVANE_BINARY_DIR) + "/tools/shoebox/shoebox" + testing::kProgramSuffix)
        .u8string();

// Runs the tool in the current directory with the blank-separated arguments.
ToolRun shoebox(const std::string& arguments) {
  std::vector<std::string> args;
  std::istringstream words(arguments);
  for (std::string word; words >> word;) args.push_back(word);
  const std::filesystem::path here = std::filesystem::current_path();
  const std::string errors = (here / "tool-errors.txt").u8string();
  testing::ChildProcess child(kTool, {}, here.u8string(), "", args, errors);
  ToolRun run{child.wait(60), child.output()};
  run.output += testing::fileText(errors);
  std::remove(errors.c_str());
#ifdef _WIN32
  // Text written in the system's own line ends.
  std::string lines;
  for (size_t i = 0; i < run.output.size(); ++i)
    if (!(run.output[i] == '\r' && i + 1 < run.output.size() && run.output[i + 1] == '\n'))
      lines += run.output[i];
  run.output = lines;
#endif
  return run;
}

int lineCount(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class ShoeboxToolTest : public ShoeboxTest {
 protected:
  void SetUp() override {
    ShoeboxTest::SetUp();
    ASSERT_TRUE(makeDir("media"));
    ASSERT_TRUE(makeDir("media/sub"));
    writeBytes("media/arrows.png", std::string(3000, 'a') + "end of arrows");
    writeBytes("media/sub/1.jpg", "jpeg bytes");
    writeBytes("media/empty.txt", "");
    writeBytes("loose.wav", "RIFF....WAVE");
  }
};

TEST_F(ShoeboxToolTest, UsageAndBadCommands) {
  const ToolRun help = shoebox("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.output.find("pack OUT.sbx FILES-OR-FOLDERS..."), std::string::npos);
  for (const char* args : {"", "frobnicate x", "pack only.sbx", "append one", "list", "verify"}) {
    SCOPED_TRACE(args);
    const ToolRun run = shoebox(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(lineCount(run.output), 1);
  }
}

TEST_F(ShoeboxToolTest, PackedMembersReachTheRuntime) {
  ASSERT_EQ(shoebox("pack Media.sbx media loose.wav").status, 0);
  mvn::setArchive("Media.sbx", "Media.sbx");
  for (const auto& [request, file] : {std::pair{"arrows.png", "media/arrows.png"},
                                      {"Media/1.JPG", "media/sub/1.jpg"},
                                      {"empty.txt", "media/empty.txt"},
                                      {"sounds/LOOSE.WAV", "loose.wav"}}) {
    SCOPED_TRACE(request);
    std::string name = request;
    ASSERT_TRUE(resolveFileName(name));
    EXPECT_TRUE(isMemoryName(name.c_str()));
    EXPECT_EQ(contentsOf(name), readBytes(file));
  }
  const ToolRun list = shoebox("list Media.sbx");
  EXPECT_EQ(list.status, 0);
  EXPECT_NE(list.output.find("arrows.png\t"), std::string::npos);
  EXPECT_NE(list.output.find("\t3013\n"), std::string::npos);
  EXPECT_NE(list.output.find("empty.txt\t7\t0\n"), std::string::npos);
  EXPECT_EQ(lineCount(list.output), 4);
  EXPECT_EQ(shoebox("verify Media.sbx").status, 0);

  ASSERT_EQ(shoebox("extract Media.sbx out").status, 0);
  EXPECT_EQ(readBytes("out/arrows.png"), readBytes("media/arrows.png"));
  EXPECT_EQ(readBytes("out/1.jpg"), "jpeg bytes");
  ASSERT_EQ(shoebox("extract Media.sbx one LOOSE.WAV").status, 0);
  EXPECT_EQ(readBytes("one/loose.wav"), "RIFF....WAVE");
  EXPECT_EQ(shoebox("extract Media.sbx one nothing.png").status, 1);

  // Packing again into the folder it reads never packs the archive itself.
  ASSERT_EQ(shoebox("pack media/Media.sbx media").status, 0);
  ASSERT_EQ(shoebox("pack media/Media.sbx media").status, 0);
  EXPECT_EQ(lineCount(shoebox("list media/Media.sbx").output), 3);
}

TEST_F(ShoeboxToolTest, DuplicateBaseNamesAreRefused) {
  writeBytes("ARROWS.PNG", "other");
  for (const char* inputs : {"media ARROWS.PNG", "loose.wav loose.wav"}) {
    SCOPED_TRACE(inputs);
    const ToolRun run = shoebox(std::string("pack dup.sbx ") + inputs);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(lineCount(run.output), 1);
    EXPECT_NE(run.output.find("duplicate member name"), std::string::npos);
    EXPECT_FALSE(fileExists("dup.sbx"));
  }
  EXPECT_EQ(shoebox("pack x.sbx no-such-file").status, 1);
}

TEST_F(ShoeboxToolTest, AppendedToABinaryCountsFromTheEnd) {
  std::string binary(10000, '\0');
  for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 13);
  writeBytes("game", binary);
  ASSERT_EQ(shoebox("pack Media.sbx media").status, 0);
  ASSERT_EQ(shoebox("append game Media.sbx").status, 0);
  EXPECT_EQ(readBytes("game").substr(0, binary.size()), binary);
  const std::string appended = readBytes("game");
  const int32_t directoryOffset = static_cast<int32_t>(
      uint32_t(uint8_t(appended[appended.size() - 4])) |
      uint32_t(uint8_t(appended[appended.size() - 3])) << 8 |
      uint32_t(uint8_t(appended[appended.size() - 2])) << 16 |
      uint32_t(uint8_t(appended[appended.size() - 1])) << 24);
  EXPECT_LT(directoryOffset, 0);
  mvn::setArchive("game", "game");
  std::string name = "sub/1.jpg";
  ASSERT_TRUE(resolveFileName(name));
  EXPECT_EQ(contentsOf(name), "jpeg bytes");
  std::string out;
  ASSERT_TRUE(shoeboxLookup(fileSlot, "arrows.png", out, false));
  EXPECT_EQ(contentsOf(out), readBytes("media/arrows.png"));
  EXPECT_EQ(shoebox("verify game").status, 0);
  EXPECT_EQ(shoebox("append game missing.sbx").status, 1);
  EXPECT_EQ(readBytes("game"), appended);
}

TEST_F(ShoeboxToolTest, ReadsArchivesOfOtherWritersAndReportsDamage) {
  std::string badLzo = lzoBlock("some contents that compress");
  badLzo[5] = '\x7f';
  badLzo.back() = '\x05';
  const std::string good = buildArchive({{"a.txt", lzoBlock("alpha")}, {"A.TXT", lzoBlock("shadowed")}},
                                        Mode::FromEnd, "prefix bytes");
  writeBytes("good.sbx", good);
  EXPECT_EQ(shoebox("verify good.sbx").status, 0);
  EXPECT_EQ(shoebox("list good.sbx").output, "a.txt\t13\t5\nA.TXT\t16\t8\n");
  const ToolRun all = shoebox("extract good.sbx out");
  EXPECT_EQ(all.status, 0);
  EXPECT_EQ(readBytes("out/a.txt"), "alpha");  // the member the runtime delivers

  struct Case {
    const char* what;
    std::string bytes;
    const char* command;  // run on bad.sbx
  };
  const Case cases[] = {
      {"damaged LZO stream", buildArchive({{"a.txt", badLzo}}, Mode::Absolute), "verify"},
      {"block outside the file", buildArchive({{"a.txt", lzoBlock("x"), 9999}}, Mode::Absolute), "list"},
      {"bad magic", std::string(40, 'z'), "list"},
      {"truncated file", good.substr(good.size() - 9), "verify"},
      {"too short", "sbX", "list"},
      {"unsafe member name", buildArchive({{"../escape", lzoBlock("x")}}, Mode::Absolute), "extract"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    writeBytes("bad.sbx", c.bytes);
    const std::string extra = std::string(c.command) == "extract" ? " out" : "";
    const ToolRun run = shoebox(std::string(c.command) + " bad.sbx" + extra);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(lineCount(run.output), 1) << run.output;
  }
  EXPECT_FALSE(fileExists("escape"));
}

// Member names come from the archive: the listing and the reports print them
// with the bytes a terminal acts on escaped.
TEST_F(ShoeboxToolTest, MemberNamesArePrintedEscaped) {
  const std::string hostile = "\x1b]0;owned\x07\x1b[2J.png";
  const std::string printed = "\\x1b]0;owned\\x07\\x1b[2J.png";
  writeBytes("names.sbx", buildArchive({{hostile, lzoBlock("x")}, {"a/b", lzoBlock("y")}}, Mode::Absolute));
  const ToolRun list = shoebox("list names.sbx");
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.output.rfind(printed + "\t", 0), 0u) << list.output;
  EXPECT_EQ(list.output.find('\x1b'), std::string::npos);
  writeBytes("damaged.sbx", buildArchive({{hostile, lzoBlock("x"), 9999}}, Mode::Absolute));
  const ToolRun damaged = shoebox("verify damaged.sbx");
  EXPECT_EQ(damaged.status, 1);
  EXPECT_NE(damaged.output.find("member \"" + printed + "\" is damaged"), std::string::npos) << damaged.output;
  EXPECT_EQ(damaged.output.find('\x1b'), std::string::npos);
}

}  // namespace
}  // namespace mvn
