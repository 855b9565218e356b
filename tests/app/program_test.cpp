// A program on the runtime, run as a child process: its log, its exit
// status, its command line, its window as the display sees it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/app/child_process.h"
#ifndef _WIN32
#include "tests/app/x11_tools.h"  // the tests that drive the window through the X server
#endif

namespace mvn {
namespace {

using testing::ChildProcess;
using testing::fileText;
using testing::waitFor;

const std::string kProbe = std::string(MORVANE_TEST_PROGRAMS) + "/app_probe" + testing::kProgramSuffix;

// Windows names a full path with its drive in front.
#ifdef _WIN32
#define MORVANE_DRIVE "[A-Z]:"
#else
#define MORVANE_DRIVE ""
#endif

// A fresh directory of its own for each test: the child's temporary
// directory (its log) and current directory.
std::string freshDirectory(const std::string& name) {
  const std::string dir = std::string(MORVANE_BINARY_DIR) + "/tmp/app_" + name;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// The log of a whole run; entries in /slashes/ are patterns.
const std::vector<std::string> kNormalRunLog = {
    "Start new log...",
    "timer",
    "rbow",
    "rbow init",
    "WIN32 init video",
    "*** OpenGL Software Emulation - update driver!",
    "message box: No OpenGL Hardware Drivers",
    "Please update your GFX adapter's driver",
    "so it can render OpenGL by HARDWARE",
    "",
    "",
    "Bitte aktualisieren Sie Ihren",
    "Grafkkartentreiber, damit er OpenGL",
    "per HARDWARE unterst\xFCtzt!",
    "get accurate timer - 1st call",
    "flip - 1st call",
    "BGRA ext supported",
    "/Texture size limit: [0-9]+/",
    "init fbo",
    "2D VP",
    "OGRB init [OK]",
    "Cptn",
    "Network",
    "Input",
    "Window mode",
    "Create DXin",
    "reptr",
    "getexe",
    "cd",
    "/exepath=curdir= " MORVANE_DRIVE MORVANE_TEST_PROGRAMS "/",
    "shoeboxing...",
    "init gettimer",
    "clear screen",
    "flip",
    "mk2D",
    "finding font...",
    "Delay load DLLs",
    "Win8+ mouse as pointer",
    "Init Finalized",
    "/Win: [0-9]+, [0-9]+/",  // the mouse's first reading
    "Shut down MVN",
    "mvn is shut down",
};

void expectLog(const std::string& log, const std::vector<std::string>& expected) {
  const std::vector<std::string> got = lines(log);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), '\n');
  ASSERT_EQ(got.size(), expected.size()) << log;
  for (size_t i = 0; i < got.size(); ++i) {
    const std::string& want = expected[i];
    if (want.size() > 2 && want.front() == '/' && want.back() == '/')
      EXPECT_TRUE(std::regex_match(got[i], std::regex(want.substr(1, want.size() - 2))))
          << "line " << i << ": " << got[i];
    else
      EXPECT_EQ(got[i], want) << "line " << i;
  }
}

TEST(Program, NormalRunLogsEveryStepAndEndsWithStatusZero) {
  const std::string dir = freshDirectory("normal");
  // A log of an earlier run is replaced, never appended to.
  writeFile(dir + "/ErrorLog.txt", "an earlier run\n");
  ChildProcess child(kProbe, {testing::kTemporaryVariable + "=" + dir, "MORVANE_FRAMES=12"}, dir);
  EXPECT_EQ(child.wait(), 0);
  EXPECT_EQ(child.output(), "ready\nexit\n");
  expectLog(fileText(dir + "/ErrorLog.txt"), kNormalRunLog);
}

// A relative TMPDIR names one folder for the whole run, the one below the
// directory the program started in: start-up and the program change the
// current directory, the log and the texture backup stay where they began,
// and the end removes the backup saved there.
TEST(Program, RelativeTemporaryDirectoryStaysWhereTheRunStarted) {
  const std::string dir = freshDirectory("reltmp");
  std::filesystem::create_directories(dir + "/reltmp");
  ChildProcess child(kProbe, {testing::kTemporaryVariable + "=reltmp", "MVN_PROBE=backup", "MORVANE_FRAMES=12"}, dir);
  EXPECT_EQ(child.wait(), 0);
  EXPECT_EQ(child.output(), "ready\nbackup saved\nexit\n");
  const std::vector<std::string> log = lines(fileText(dir + "/reltmp/ErrorLog.txt"));
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), "mvn is shut down");
  const std::regex backupLine("   \"" MORVANE_DRIVE + dir + "/reltmp/mvntxs[0-9a-f]+\\.bin\"");
  EXPECT_TRUE(std::any_of(log.begin(), log.end(),
                          [&](const std::string& line) { return std::regex_match(line, backupLine); }));
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(dir + "/reltmp"))
    left.push_back(entry.path().filename().u8string());
  EXPECT_EQ(left, std::vector<std::string>{"ErrorLog.txt"});
}

TEST(Program, RefusedFullScreenAtTheStartFallsBackToAWindow) {
  const std::string dir = freshDirectory("fullscreen");
  ChildProcess child(kProbe, {testing::kTemporaryVariable + "=" + dir, "MVN_PROBE=print", "MVN_PROBE_FULLSCREEN=1"}, dir);
  EXPECT_EQ(child.wait(), 0);
  EXPECT_NE(child.output().find("visible=1"), std::string::npos) << child.output();
  const std::string log = fileText(dir + "/ErrorLog.txt");
  EXPECT_NE(log.find("Window mode\nNo Fullscreen Mode available\nCreate DXin\n"), std::string::npos)
      << log;
}

TEST(Program, DriverNoteOfTheStartDirectoryIsTheNoticeText) {
  const std::string dir = freshDirectory("drivernote");
  writeFile(dir + "/opengldriver.txt", "Install the vendor driver.");
  ChildProcess child(kProbe, {testing::kTemporaryVariable + "=" + dir, "MORVANE_FRAMES=1"}, dir);
  EXPECT_EQ(child.wait(), 0);
  const std::string log = fileText(dir + "/ErrorLog.txt");
  EXPECT_NE(log.find("message box: No OpenGL Hardware Drivers\nInstall the vendor driver.\n"),
            std::string::npos)
      << log;
}

TEST(Program, FatalFaultEndsWithItsCodeAsStatus) {
  for (const char* code : {"9", "7", "8", "20", "21"}) {
    const std::string dir = freshDirectory(std::string("fatal") + code);
    ChildProcess child(
        kProbe, {testing::kTemporaryVariable + "=" + dir, "MVN_PROBE=fatal", std::string("MVN_PROBE_CODE=") + code}, dir);
    EXPECT_EQ(child.wait(), std::atoi(code)) << code;
    // The end routine keeps the code in the error record and reports nothing more.
    EXPECT_NE(child.output().find(std::string("error record ") + code + "\n"), std::string::npos)
        << child.output();
    EXPECT_EQ(child.output().find("error: 3"), std::string::npos) << child.output();
    const std::string log = fileText(dir + "/ErrorLog.txt");
    EXPECT_NE(log.find("Shut down MVN\nmvn is shut down\n"), std::string::npos) << code;
  }
}

TEST(Program, QuotedProgramNameWithBlanks) {
  const std::string dir = freshDirectory("quoted");
  const std::string spaced = dir + "/name with blanks";
  std::filesystem::create_directories(spaced);
  const std::string link = spaced + "/app probe" + testing::kProgramSuffix;
#ifdef _WIN32
  std::filesystem::copy_file(kProbe, link);  // links need a privilege there
#else
  std::filesystem::create_symlink(kProbe, link);
#endif
  ChildProcess child(link, {testing::kTemporaryVariable + "=" + dir, "MVN_PROBE=print"}, dir, link, {"one", "two words"});
  EXPECT_EQ(child.wait(), 0);
  const std::string out = child.output();
  EXPECT_NE(out.find("commandLine=[\"" + link + "\" one \"two words\"]\n"), std::string::npos)
      << out;
  EXPECT_NE(out.find("tail=[one \"two words\"]\n"), std::string::npos) << out;
}

TEST(Program, ShowCommandZeroKeepsTheWindowHidden) {
  for (const char* show : {"0", "10"}) {
    const std::string dir = freshDirectory(std::string("show") + show);
    ChildProcess child(
        kProbe, {testing::kTemporaryVariable + "=" + dir, "MVN_PROBE=print", std::string("MORVANE_SHOW_COMMAND=") + show},
        dir);
    EXPECT_EQ(child.wait(), 0);
    EXPECT_NE(child.output().find(std::string("visible=") + (show[0] == '0' ? "0" : "1")),
              std::string::npos)
        << show << ": " << child.output();
  }
}

#ifndef _WIN32
TEST(Program, FocusLossPausesAndTheCloseButtonEndsCleanly) {
  const std::string dir = freshDirectory("focus");
  const std::string logPath = dir + "/ErrorLog.txt";
  ChildProcess child(kProbe, {testing::kTemporaryVariable + "=" + dir}, dir);
  ASSERT_TRUE(waitFor([&] { return child.output().find("ready") != std::string::npos; }));
  const std::string window = testing::windowId("App Probe");
  ASSERT_FALSE(window.empty());
  auto title = [&] {
    std::string t = testing::commandOutput("xdotool getwindowname " + window);
    if (!t.empty() && t.back() == '\n') t.pop_back();
    return t;
  };
  auto logHas = [&](const char* text) { return fileText(logPath).find(text) != std::string::npos; };

  testing::commandOutput("xdotool windowfocus " + testing::rootWindowId());
  EXPECT_TRUE(waitFor([&] { return logHas("pause loop in showscreen/hibernate\n"); }));
  EXPECT_EQ(title(), "App Probe <pause>");

  testing::commandOutput("xdotool windowfocus " + window);
  EXPECT_TRUE(waitFor([&] { return logHas("pause loop ended\n"); }));
  EXPECT_TRUE(waitFor([&] { return title() == "App Probe"; }));

  ASSERT_TRUE(testing::sendDeleteWindow(window));
  EXPECT_EQ(child.wait(15), 0);
  const std::string log = fileText(logPath);
  EXPECT_EQ(log.substr(log.size() - 31), "Shut down MVN\nmvn is shut down\n") << log;
}

TEST(Program, MouseArrivesAsPointerContactsInClientCoordinates) {
  const std::string dir = freshDirectory("pointer");
  ChildProcess child(kProbe, {testing::kTemporaryVariable + "=" + dir, "MVN_PROBE=pointer"}, dir);
  ASSERT_TRUE(waitFor([&] { return child.output().find("ready") != std::string::npos; }));
  const std::string window = testing::windowId("App Probe");
  ASSERT_FALSE(window.empty());
  // Printed at all, or printed after another line.
  auto printed = [&](const char* line, const char* after = nullptr) {
    const std::string& out = child.output();
    const size_t from = after ? out.find(after) : 0;
    return from != std::string::npos && out.find(line, from) != std::string::npos;
  };

  // A move without buttons updates the first free slot without claiming it.
  testing::commandOutput("xdotool mousemove --window " + window + " 120 45");
  EXPECT_TRUE(waitFor([&] { return printed("slot0 120 45 0 0\n"); })) << child.output();
  // A pressed button claims the slot for the mouse's pointer (id 1) ...
  testing::commandOutput("xdotool mousedown 1");
  EXPECT_TRUE(waitFor([&] { return printed("slot0 120 45 1 1\n"); })) << child.output();
  // ... and its release frees it again.
  testing::commandOutput("xdotool mouseup 1");
  EXPECT_TRUE(waitFor([&] { return printed("slot0 120 45 0 0\n", "slot0 120 45 1 1\n"); }))
      << child.output();
  child.terminate();
  EXPECT_EQ(child.wait(15), 0);
}

TEST(Program, TypedKeysReachTheTypedTextInOrder) {
  const std::string dir = freshDirectory("type");
  ChildProcess child(kProbe, {testing::kTemporaryVariable + "=" + dir, "MVN_PROBE=type"}, dir);
  ASSERT_TRUE(waitFor([&] { return child.output().find("ready") != std::string::npos; }));
  const std::string window = testing::windowId("App Probe");
  ASSERT_FALSE(window.empty());
  testing::commandOutput("xdotool windowfocus --sync " + window + " type --delay 30 'Hi!'");
  testing::commandOutput("xdotool key --delay 30 Return BackSpace");
  // Enter is read as 10; Backspace stays 8.
  const std::string expected = "typed 72\ntyped 105\ntyped 33\ntyped 10\ntyped 8\n";
  EXPECT_TRUE(waitFor([&] { return child.output().find(expected) != std::string::npos; }))
      << child.output();
  child.terminate();
  EXPECT_EQ(child.wait(15), 0);
}

#endif  // the window driven through the X server

TEST(Program, ProgramHooksSeeMessagesAndTheEnd) {
  const std::string dir = freshDirectory("hooks");
  ChildProcess child(kProbe, {testing::kTemporaryVariable + "=" + dir, "MVN_PROBE=hooks", "MORVANE_FRAMES=8"}, dir);
  EXPECT_EQ(child.wait(), 0);
  EXPECT_EQ(child.output(), "ready\nquit hook, messages seen: some\ninner end returned\nexit\n");
  const std::string log = fileText(dir + "/ErrorLog.txt");
  EXPECT_EQ(log.substr(log.size() - 31), "Shut down MVN\nmvn is shut down\n") << log;
}

TEST(Program, StartWithoutAWindowEndsAsAFailure) {
  const std::string dir = freshDirectory("nowindow");
  ChildProcess child(kProbe, {testing::kTemporaryVariable + "=" + dir, "SDL_VIDEODRIVER=nosuchdriver"}, dir);
  EXPECT_EQ(child.wait(), 1);
  EXPECT_EQ(child.output(), "exit\n");
  expectLog(fileText(dir + "/ErrorLog.txt"), {"Start new log...", "timer", "rbow", "rbow init",
                                              "No window or OpenGL context: the program cannot run",
                                              "Shut down MVN", "mvn is shut down"});
}

TEST(Program, TerminationRequestEndsThroughTheEndRoutine) {
  const std::string dir = freshDirectory("terminate");
  ChildProcess child(kProbe, {testing::kTemporaryVariable + "=" + dir}, dir);
  ASSERT_TRUE(waitFor([&] { return child.output().find("ready") != std::string::npos; }));
  child.terminate();
  EXPECT_EQ(child.wait(15), 0);
  EXPECT_EQ(child.output(), "ready\nexit\n");
  const std::string log = fileText(dir + "/ErrorLog.txt");
  EXPECT_NE(log.find("Shut down MVN\nmvn is shut down\n"), std::string::npos) << log;
}

}  // namespace
}  // namespace mvn
