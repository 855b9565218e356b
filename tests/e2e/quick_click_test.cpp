// Quick clicks on the real game: a press released before the next frame still
// turns the column once, a held press repeats, and clicks never count twice.
// The test watches the first column's three tiles on the display: every move
// of the column up shifts them by one place, so the column is always in one
// of three states.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "game/board.h"
#include "runtime/values/random.h"
#include "tests/e2e/screen_grab.h"
#include "tests/e2e/shell.h"

extern char** environ;

namespace quadrivolant_test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Pixels = std::vector<uint32_t>;

const uint32_t kSeed = 20261211;
constexpr int kTile = 120;

using e2e::run;
using e2e::sleepMs;


double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// True when the seeded deal has its second and third columns at home, so that
// turning the first column could solve the picture (the confetti would then
// cover the board and moves would stop).
bool firstColumnCouldSolve(uint32_t seed) {
  mvn::seedRandom(seed);
  mvn::rnd(14);
  quadrivolant::board.dimension(10, 10);
  quadrivolant::scrambleBoard();
  for (int y = 1; y <= 3; ++y) {
    for (int x = 2; x <= 3; ++x) {
      if (quadrivolant::board(x, y) != 3 * (y - 1) + (x - 1)) return false;
    }
  }
  return true;
}

class QuickClickTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') GTEST_SKIP() << "no display";
    if (run("command -v xdotool").empty()) GTEST_SKIP() << "xdotool missing";
    ASSERT_TRUE(screen.ready()) << "the display cannot be read";
    ASSERT_FALSE(firstColumnCouldSolve(kSeed));
    const fs::path binary = MORVANE_BINARY_DIR;
    home = binary / "tmp" / "e2e-quick";
    fs::remove_all(home);
    fs::create_directories(home / "game" / "Media");
    fs::create_directories(home / "temp");
    fs::copy_file(binary / "quadrivolant", home / "game" / "quadrivolant");
    fs::copy_file(binary / "Media" / "Media.sbx", home / "game" / "Media" / "Media.sbx");
    start();
  }

  void TearDown() override {
    if (pid > 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }

  void start() {
    std::vector<std::string> settings{"MORVANE_SEED=" + std::to_string(kSeed),
                                      "TMPDIR=" + (home / "temp").string()};
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
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    ASSERT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data()), 0);
    posix_spawn_file_actions_destroy(&actions);

    for (int tries = 0; tries < 200 && window.empty(); ++tries) {
      std::istringstream found(run("xdotool search --name '^Quadrivolant$' 2>/dev/null"));
      std::string id;
      while (found >> id) {
        const std::string geometry = run("xdotool getwindowgeometry --shell " + id);
        if (geometry.find("WIDTH=800\n") == std::string::npos || geometry.find("HEIGHT=480\n") == std::string::npos)
          continue;
        window = id;
        std::istringstream lines(geometry);
        for (std::string line; std::getline(lines, line);) {
          if (line.rfind("X=", 0) == 0) left = std::stoi(line.substr(2));
          if (line.rfind("Y=", 0) == 0) top = std::stoi(line.substr(2));
        }
      }
      if (window.empty()) sleepMs(100);
    }
    ASSERT_FALSE(window.empty()) << "the game's 800 by 480 window never appeared";
  }

  // The game takes presses once its opening static is over (50 passes of
  // cooldown, 59 of static): wait until the static has shown and the
  // reference picture has then held still for 5 passes. The static changes
  // on every pass; its passes are the slowest of the game, so stillness is
  // counted in passes, not in time.
  void waitForPlay() {
    Pixels reference = screen.grab(left + 540, top + 150, 180, 180);
    Pixels strip = background();
    bool changed = false;
    int stillPasses = 0;
    const auto begin = Clock::now();
    while (stillPasses < 5 && msSince(begin) < 60000) {
      sleepMs(5);
      Pixels nowReference = screen.grab(left + 540, top + 150, 180, 180);
      Pixels nowStrip = background();
      if (nowReference != reference) {
        changed = true;
        stillPasses = 0;
      } else if (changed && nowStrip != strip) {
        ++stillPasses;
      }
      reference = std::move(nowReference);
      strip = std::move(nowStrip);
    }
    ASSERT_GE(stillPasses, 5) << "the opening static never ended";
  }

  // The first column's tiles, top to bottom.
  std::vector<Pixels> column() {
    std::vector<Pixels> tiles;
    for (int row = 0; row < 3; ++row) tiles.push_back(screen.grab(left + 60, top + 60 + kTile * row, kTile, kTile));
    return tiles;
  }

  // 0, 1 or 2: how many places the column has moved up since `home` was
  // taken (counted modulo 3); -1 while the display shows none of these.
  int columnState() {
    const std::vector<Pixels> now = column();
    for (int k = 0; k < 3; ++k) {
      bool same = true;
      for (int row = 0; row < 3 && same; ++row) same = now[row] == homeTiles[(row + k) % 3];
      if (same) return k;
    }
    return -1;
  }

  // The blocks falling behind the board move on every pass: a change of the
  // strip right of the reference picture shows that at least one pass went by.
  Pixels background() { return screen.grab(left + 720, top, 80, 480); }

  // Watches the column until `passes` passes have been seen to go by (or
  // `stopAtMove` and the column moved, or 60 s went by); returns the moves.
  // Passes are counted from the display, so a slow machine only makes the
  // watch longer: the game's cooldown is counted in passes too.
  int watch(int passes, bool stopAtMove = false) {
    int moves = 0, seen = 0;
    Pixels last = background();
    const auto begin = Clock::now();
    while (seen < passes && !(stopAtMove && moves > 0) && msSince(begin) < 60000) {
      const int now = columnState();
      if (now >= 0 && now != state) {
        moves += (now - state + 3) % 3;
        state = now;
      }
      Pixels strip = background();
      if (strip != last) ++seen;
      last = std::move(strip);
      sleepMs(1);
    }
    return moves;
  }

  // Moves after an action: watches until the column has moved (a move shows
  // within two passes of its press; 30 passes without one means none), then
  // 15 passes more, beyond the 10 of the cooldown, for a second move.
  int movesAfter(const std::string& xdotoolArguments) {
    run("xdotool " + xdotoolArguments);
    return watch(30, true) + watch(15);
  }

  void pointAtFirstColumnArrow() {
    run("xdotool mousemove --window " + window + " 120 30");
    sleepMs(100);
  }

  ScreenGrab screen;
  fs::path home;
  pid_t pid = -1;
  std::string window;
  int left = 0, top = 0;
  std::vector<Pixels> homeTiles;
  int state = 0;
};

TEST_F(QuickClickTest, PressesShorterThanAFrameMoveOnceAndHeldPressesRepeat) {
  waitForPlay();
  homeTiles = column();
  ASSERT_NE(homeTiles[0], homeTiles[1]);
  ASSERT_NE(homeTiles[1], homeTiles[2]);
  pointAtFirstColumnArrow();
  ASSERT_EQ(columnState(), 0);

  // Press and release sent at once: both reach the game between two passes.
  for (int trial = 1; trial <= 20; ++trial) {
    ASSERT_EQ(movesAfter("mousedown 1 mouseup 1"), 1) << "tap " << trial;
  }

  EXPECT_EQ(movesAfter("mousedown 1 sleep 0.06 mouseup 1"), 1) << "a press held 60 ms";

  // Held for 60 passes (a second at 60 passes a second): a move on the first
  // pass and then every 10 passes; never more than one per 10 frame periods.
  const auto pressed = Clock::now();
  run("xdotool mousedown 1");
  int held = watch(60);
  run("xdotool mouseup 1");
  const double heldMs = msSince(pressed);
  held += watch(15);
  EXPECT_GE(held, 5) << "a held press did not repeat every 10 passes";
  // (one more for a frame presented early to catch up with the schedule)
  EXPECT_LE(held, heldMs / (10 * 1000.0 / 60) + 2) << "a held press repeated faster than every 10 passes";

  // Two quick clicks, the second once the first one's cooldown is over.
  run("xdotool mousedown 1 mouseup 1");
  int twice = watch(12);
  run("xdotool mousedown 1 mouseup 1");
  twice += watch(30, true) + watch(15);
  EXPECT_EQ(twice, 2);
}

}  // namespace
}  // namespace quadrivolant_test
