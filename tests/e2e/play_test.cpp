// Plays the real game on the display: solves the dealt picture with real
// clicks, sees the confetti, deals again and quits with Escape. The game runs
// from a folder holding only the executable and its media archive.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "game/board.h"
#include "runtime/values/random.h"
#include "tests/e2e/game_moves.h"
#include "tests/e2e/screen_grab.h"
#include "tests/e2e/solver.h"
#include "tests/e2e/shell.h"

extern char** environ;

namespace quadrivolant_test {
namespace {

namespace fs = std::filesystem;

const uint32_t kSeed = 20261210;

using e2e::run;
using e2e::sleepMs;


std::string quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// Pixels of an image file as packed 0xRRGGBB values, read through ImageMagick.
std::vector<int> readPixels(const fs::path& file, int* width, int* height) {
  std::istringstream size(run("identify -format '%w %h' " + quoted(file)));
  size >> *width >> *height;
  const std::string rgba = run("convert " + quoted(file) + " -depth 8 rgba:-");
  std::vector<int> pixels;
  for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(rgba[i + k]); };
    // Fully transparent texels never reach the screen.
    pixels.push_back(byte(3) == 255 ? byte(0) << 16 | byte(1) << 8 | byte(2) : -1);
  }
  return pixels;
}

class PlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') GTEST_SKIP() << "no display";
    for (const char* tool : {"xdotool", "import", "convert", "identify"}) {
      if (run(std::string("command -v ") + tool).empty()) GTEST_SKIP() << tool << " missing";
    }
    const fs::path binary = MORVANE_BINARY_DIR;
    ASSERT_TRUE(fs::exists(binary / "quadrivolant"));
    ASSERT_TRUE(fs::exists(binary / "Media" / "Media.sbx"));
    home = binary / "tmp" / "e2e";
    fs::remove_all(home);
    fs::create_directories(home / "game" / "Media");
    fs::create_directories(home / "temp");
    fs::copy_file(binary / "quadrivolant", home / "game" / "quadrivolant");
    fs::copy_file(binary / "Media" / "Media.sbx", home / "game" / "Media" / "Media.sbx");
    shots = binary / "e2e-shots";
    fs::create_directories(shots);
  }

  void TearDown() override {
    if (pid > 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }

  void start(uint32_t seed) {
    std::vector<std::string> settings{"MORVANE_SEED=" + std::to_string(seed), "TMPDIR=" + (home / "temp").string()};
    for (char** e = environ; *e != nullptr; ++e) {
      if (std::strncmp(*e, "MORVANE_SEED=", 13) != 0 && std::strncmp(*e, "TMPDIR=", 7) != 0) settings.push_back(*e);
    }
    std::vector<char*> envp;
    for (std::string& s : settings) envp.push_back(s.data());
    envp.push_back(nullptr);
    std::string program = (home / "game" / "quadrivolant").string();
    char* argv[] = {program.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string out = (home / "stdout.txt").string();
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data()), 0);
    posix_spawn_file_actions_destroy(&actions);

    // The window, once it has the game's size.
    waitFor([&] {
      std::istringstream found(run("xdotool search --name '^Quadrivolant$' 2>/dev/null"));
      std::string id;
      while (found >> id) {
        const std::string geometry = run("xdotool getwindowgeometry --shell " + id);
        if (geometry.find("WIDTH=800\n") != std::string::npos && geometry.find("HEIGHT=480\n") != std::string::npos) {
          window = id;
          std::istringstream lines(geometry);
          std::string line;
          while (std::getline(lines, line)) {
            if (line.rfind("X=", 0) == 0) left = std::stoi(line.substr(2));
            if (line.rfind("Y=", 0) == 0) top = std::stoi(line.substr(2));
          }
        }
      }
      return !window.empty();
    });
    ASSERT_FALSE(window.empty()) << "the game's 800 by 480 window never appeared";
  }

  // Polls until done() holds; false only after a limit no machine needs.
  template <typename Done>
  static bool waitFor(Done done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      sleepMs(20);
    }
    return true;
  }

  // Waits until the display has shown `count` passes of the game go by: the
  // blocks falling behind the board, right of the reference picture, move on
  // every pass. The game's cooldowns are counted in passes, and so here.
  void passes(int count) {
    std::vector<uint32_t> last = grab.grab(left + 720, top, 80, 480);
    int seen = 0;
    ASSERT_TRUE(waitFor([&] {
      std::vector<uint32_t> now = grab.grab(left + 720, top, 80, 480);
      if (now != last) ++seen;
      last = std::move(now);
      return seen >= count;
    })) << "the game stopped presenting passes";
  }

  // A press held for a tenth of a second: one move, however slow the passes.
  void click(int x, int y) {
    run("xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y) +
        " mousedown 1 sleep 0.1 mouseup 1");
  }

  fs::path screenshot(const std::string& name) {
    const fs::path file = shots / (name + ".png");
    run("import -window root -crop 800x480+" + std::to_string(left) + "+" + std::to_string(top) + " +repage " +
        quoted(file));
    return file;
  }

  // Pixels of the screen in the colours of the confetti strips, outside the
  // picture and its arrows.
  int confettiPixels(const fs::path& shot) {
    int w = 0, h = 0;
    std::vector<int> pixels = readPixels(shot, &w, &h);
    int count = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 480; x < w; ++x) {
        if (x >= 540 && x < 720 && y >= 150 && y < 330) continue;  // the reference picture
        count += confettiColours.count(pixels[y * w + x]) > 0;
      }
    }
    return count;
  }

  // The tiles of the board (the window's square from 60 to 420), sampled.
  std::vector<int> board() {
    const fs::path file = shots / "board.png";
    run("import -window root -crop 360x360+" + std::to_string(left + 60) + "+" + std::to_string(top + 60) +
        " +repage " + quoted(file));
    int w = 0, h = 0;
    const std::vector<int> pixels = readPixels(file, &w, &h);
    std::vector<int> samples;
    for (int y = 10; y < h; y += 20)
      for (int x = 10; x < w; x += 20) samples.push_back(pixels.at(size_t(y) * w + x));
    return samples;
  }

  int waitForExit(int seconds) {
    for (int i = 0; i < seconds * 20; ++i) {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid) {
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      sleepMs(50);
    }
    return -1;
  }

  ScreenGrab grab;
  fs::path home, shots;
  pid_t pid = -1;
  std::string window;
  int left = 0, top = 0;
  std::set<int> confettiColours;
};

TEST_F(PlayTest, SolveTheDealtPictureDealAgainAndQuit) {
  std::vector<Rotation> moves;
  ASSERT_TRUE(solve(dealtBoard(kSeed), &moves));
  ASSERT_FALSE(moves.empty());
  {
    int w = 0, h = 0;
    for (int colour : readPixels(fs::path(MORVANE_SOURCE_DIR) / "game" / "Media" / "ticker.png", &w, &h)) {
      if (colour >= 0 && colour != 0x8000FF && colour != 0xFFFFFF) confettiColours.insert(colour);
    }
    ASSERT_FALSE(confettiColours.empty());
  }

  start(kSeed);
  ASSERT_TRUE(grab.ready()) << "the display cannot be read";
  // A window without the focus pauses the game: it gets it first.
  run("xdotool windowfocus --sync " + window);
  passes(10);
  screenshot("intro");  // the static over the reference picture

  // Each move is clicked once the board can take it: the game ignores presses
  // in its first 50 passes and for 10 passes after a move.
  passes(60);
  for (size_t i = 0; i < moves.size(); ++i) {
    int x = 0, y = 0;
    arrowCentre(moves[i], &x, &y);
    const std::vector<int> before = board();
    click(x, y);
    const bool moved = waitFor([&] { return board() != before; });
    ASSERT_TRUE(moved) << "move " << i + 1 << " of " << moves.size() << " never showed on the board";
    if (i + 1 == moves.size() / 2 || moves.size() == 1) screenshot("progress");
    passes(12);
  }
  const int before = confettiPixels(shots / "progress.png");
  const int solvedConfetti = confettiPixels(screenshot("solved"));
  EXPECT_GT(solvedConfetti, before + 150) << "no confetti after " << moves.size() << " moves";

  // A press deals again once 100 passes have gone by since the solve.
  passes(100);
  click(240, 240);
  int dealtConfetti = solvedConfetti;
  waitFor([&] {
    dealtConfetti = confettiPixels(screenshot("dealt"));
    return dealtConfetti < solvedConfetti / 4;
  });
  EXPECT_LT(dealtConfetti, solvedConfetti / 4) << "the confetti stayed after the new deal";

  run("xdotool keydown Escape; sleep 0.2; xdotool keyup Escape");
  EXPECT_EQ(waitForExit(20), 0);

  std::ifstream log(home / "temp" / "ErrorLog.txt");
  std::vector<std::string> lines;
  for (std::string line; std::getline(log, line);) lines.push_back(line);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "Shut down MVN");
  EXPECT_EQ(lines.back(), "mvn is shut down");

  // Every image and the music came out of the archive: no error was reported.
  std::ifstream out(home / "stdout.txt");
  std::stringstream printed;
  printed << out.rdbuf();
  EXPECT_EQ(printed.str().find("error:"), std::string::npos) << printed.str();
}

}  // namespace
}  // namespace quadrivolant_test
