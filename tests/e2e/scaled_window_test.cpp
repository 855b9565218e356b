// The scaled window (MORVANE_WINDOW=scaled) on a virtual display of its own,
// large enough for a window at twice the game's size: the window shows the
// frame scaled (sharp at 2, smooth at 1.5, bars where the shape differs),
// clicks at scaled positions turn the right rows and columns, Alt+Enter
// covers the desktop and comes back to where the window was, and the run's
// recording replays in an ordinary window with every frame hash equal.
// Wayfarer's clicks land in the right cell at 1.5 too.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "examples/wayfarer/map.h"
#include "tests/app/child_process.h"
#include "tests/e2e/game_moves.h"
#include "tests/e2e/screen_grab.h"
#include "tests/e2e/shell.h"
#include "tests/e2e/solver.h"

namespace quadrivolant_test {
namespace {

namespace fs = std::filesystem;
using e2e::run;
using mvn::testing::ChildProcess;
using mvn::testing::fileText;
using mvn::testing::waitFor;

const uint32_t kSeed = 20261211;
constexpr int kScreenWidth = 2048, kScreenHeight = 1280;

// An X server of the test's own, of kScreenWidth by kScreenHeight, made the
// test process's display while it lives.
class PrivateDisplay {
 public:
  PrivateDisplay() {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      dup2(fds[1], 3);
      const std::string screen = std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24";
      execlp("Xvfb", "Xvfb", "-displayfd", "3", "-noreset", "-nolisten", "tcp", "-screen", "0", screen.c_str(),
             static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    for (char c = 0; poll(&p, 1, 30000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n';) number += c;
    close(fds[0]);
    if (number.empty()) return;
    if (const char* old = std::getenv("DISPLAY")) previous_ = old;
    setenv("DISPLAY", (":" + number).c_str(), 1);
    ready_ = true;
  }
  ~PrivateDisplay() {
    if (ready_) {
      if (previous_.empty()) unsetenv("DISPLAY");
      else setenv("DISPLAY", previous_.c_str(), 1);
    }
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  bool ready() const { return ready_; }

 private:
  pid_t pid_ = -1;
  bool ready_ = false;
  std::string previous_;
};

struct Geometry {
  int x = 0, y = 0, width = 0, height = 0;
};

Geometry geometryOf(const std::string& window) {
  Geometry g;
  std::istringstream lines(run("xdotool getwindowgeometry --shell " + window));
  for (std::string line; std::getline(lines, line);) {
    const auto value = [&] { return std::stoi(line.substr(line.find('=') + 1)); };
    if (line.rfind("X=", 0) == 0) g.x = value();
    if (line.rfind("Y=", 0) == 0) g.y = value();
    if (line.rfind("WIDTH=", 0) == 0) g.width = value();
    if (line.rfind("HEIGHT=", 0) == 0) g.height = value();
  }
  return g;
}

int occurrences(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// A picture as rows of packed 0xRRGGBB pixels.
struct Picture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

int channel(uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

// The frame scaled to width x height with bilinear filtering, samples taken
// at the pixels' centres and held to the edges.
uint32_t smoothPixel(const Picture& frame, int width, int height, int x, int y) {
  const double sx = (x + 0.5) * frame.width / width - 0.5, sy = (y + 0.5) * frame.height / height - 0.5;
  const int x0 = static_cast<int>(std::floor(sx)), y0 = static_cast<int>(std::floor(sy));
  const double fx = sx - x0, fy = sy - y0;
  const auto px = [&](int cx, int cy) {
    return frame.at(std::clamp(cx, 0, frame.width - 1), std::clamp(cy, 0, frame.height - 1));
  };
  uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const double top = channel(px(x0, y0), shift) * (1 - fx) + channel(px(x0 + 1, y0), shift) * fx;
    const double bottom = channel(px(x0, y0 + 1), shift) * (1 - fx) + channel(px(x0 + 1, y0 + 1), shift) * fx;
    result |= static_cast<uint32_t>(std::lround(top * (1 - fy) + bottom * fy)) << shift;
  }
  return result;
}

int largestDifference(uint32_t a, uint32_t b) {
  int d = 0;
  for (int shift = 0; shift <= 16; shift += 8) d = std::max(d, std::abs(channel(a, shift) - channel(b, shift)));
  return d;
}

class ScaledWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {"Xvfb", "xdotool", "xwininfo"}) {
      if (run(std::string("command -v ") + tool).empty()) GTEST_SKIP() << tool << " missing";
    }
    display = std::make_unique<PrivateDisplay>();
    ASSERT_TRUE(display->ready()) << "no virtual display of the test's own";
    grabber = std::make_unique<ScreenGrab>();
    ASSERT_TRUE(grabber->ready());
  }
  void TearDown() override {
    child.reset();
    grabber.reset();
    display.reset();
  }

  std::string log() { return fileText((home / "ErrorLog.txt").string()); }

  // Waits for the log to hold `line` at least `count` times.
  bool waitForLog(const std::string& line, int count = 1) {
    return waitFor([&] { return occurrences(log(), line) >= count; }, 90);
  }

  // The program's window, once it has its drawing size; moved to (40, 40)
  // so that twice that size stays on the screen.
  void findWindow(const std::string& title, int width, int height) {
    ASSERT_TRUE(waitFor([&] {
      std::istringstream found(run("xdotool search --name '^" + title + "$' 2>/dev/null"));
      for (std::string id; found >> id;) {
        const Geometry g = geometryOf(id);
        if (g.width == width && g.height == height) window = id;
      }
      return !window.empty();
    }, 60)) << "the " << title << " window never appeared";
    run("xdotool windowmove " + window + " 40 40");
    ASSERT_TRUE(waitFor([&] { return geometryOf(window).x == 40 && geometryOf(window).y == 40; }, 30));
  }

  // Resizes the window and waits until the program has shown its frame at that size.
  void resize(int width, int height) {
    const std::string line = "scaled window " + std::to_string(width) + "x" + std::to_string(height) + " shows";
    const int before = occurrences(log(), line);
    run("xdotool windowsize " + window + " " + std::to_string(width) + " " + std::to_string(height));
    ASSERT_TRUE(waitForLog(line, before + 1))
        << "never shown at " << width << "x" << height << "; the window is "
        << run("xdotool getwindowgeometry " + window) << log();
  }

  Picture grab(int width, int height) {
    const Geometry g = geometryOf(window);
    Picture p;
    p.width = width;
    p.height = height;
    p.pixels = grabber->grab(g.x, g.y, width, height);
    return p;
  }

  // Grabs the window until `shows` holds for the grab: the swap that shows a
  // frame reaches the screen a moment after the log line.
  Picture grabUntil(int width, int height, const std::function<bool(const Picture&)>& shows) {
    Picture p;
    waitFor([&] {
      p = grab(width, height);
      return p.pixels.size() == size_t(width) * height && shows(p);
    }, 30);
    return p;
  }

  fs::path home;
  std::unique_ptr<PrivateDisplay> display;
  std::unique_ptr<ScreenGrab> grabber;
  std::unique_ptr<ChildProcess> child;
  std::string window;
};

// The pixel samples of the nine tiles of the board, in reading order, from a
// window showing the game at scale 1.5 (each tile 180 window pixels).
std::array<std::vector<uint32_t>, 9> tiles(const Picture& board) {
  std::array<std::vector<uint32_t>, 9> samples;
  for (int t = 0; t < 9; ++t) {
    for (int oy = 15; oy < 120; oy += 30) {
      for (int ox = 15; ox < 120; ox += 30) {
        const int x = static_cast<int>((60 + 120 * (t % 3) + ox + 0.5) * 1.5);
        const int y = static_cast<int>((60 + 120 * (t / 3) + oy + 0.5) * 1.5);
        samples[t].push_back(board.at(x, y));
      }
    }
  }
  return samples;
}

TEST_F(ScaledWindowTest, TheGameShownScaledTakesClicksGoesFullScreenAndReplaysUnscaled) {
  const fs::path binary = MORVANE_BINARY_DIR;
  home = binary / "tmp" / "e2e-scaled";
  fs::remove_all(home);
  fs::create_directories(home / "game" / "Media");
  fs::copy_file(binary / "quadrivolant", home / "game" / "quadrivolant");
  fs::copy_file(binary / "Media" / "Media.sbx", home / "game" / "Media" / "Media.sbx");
  const std::string recording = (home / "scaled.mvr").string();
  const std::string program = (home / "game" / "quadrivolant").string();

  // Twelve arrows, each once; none of them solves the board (confetti would
  // cover it).
  std::vector<Rotation> arrows;
  for (int code : {4, 6, 7, 5})
    for (int index = 1; index <= 3; ++index) arrows.push_back({code, index});
  {
    Arrangement a = dealtBoard(kSeed);
    for (Rotation r : arrows) {
      a = applyRotation(a, r);
      ASSERT_NE(a, (Arrangement{0, 1, 2, 3, 4, 5, 6, 7, 8})) << "the seed's deal is solved on the way";
    }
  }

  child = std::make_unique<ChildProcess>(
      program, std::vector<std::string>{"TMPDIR=" + home.string(), "MORVANE_WINDOW=scaled",
                                        "MORVANE_SEED=" + std::to_string(kSeed), "MORVANE_RECORD=" + recording,
                                        "MORVANE_RECORD_FRAMES=1"});
  findWindow("Quadrivolant", 800, 480);
  ASSERT_TRUE(waitForLog("scaled window 800x480 shows 800x480 at 800x480+0+0, sharp\n"));
  EXPECT_EQ(run("xdotool getwindowname " + window), "Quadrivolant\n");

  // In the background the game pauses: its last frame stays, and is shown
  // again at each size the window takes.
  // The window may take the focus itself after it is shown: the focus is
  // sent away until the game has paused.
  ASSERT_TRUE(waitForLog("Init Finalized\n"));
  const std::string root = run("xwininfo -root | awk '/Window id/ {print $4}'");
  ASSERT_TRUE(waitFor([&] {
    run("xdotool windowfocus " + root);
    return waitFor([&] { return occurrences(log(), "pause loop in showscreen/hibernate\n") >= 1; }, 3);
  }, 90)) << log();
  const Picture frame = grab(800, 480);
  ASSERT_EQ(frame.pixels.size(), 800u * 480u);

  resize(1600, 960);
  const Picture twice = grabUntil(1600, 960, [&](const Picture& p) {
    for (int y = 0; y < 960; ++y)
      for (int x = 0; x < 1600; ++x)
        if (p.at(x, y) != frame.at(x / 2, y / 2)) return false;
    return true;
  });
  for (int y = 0; y < 960; y += 7)
    for (int x = 0; x < 1600; x += 7)
      ASSERT_EQ(twice.at(x, y), frame.at(x / 2, y / 2)) << "at " << x << "," << y << ": not the frame at twice";

  // Smooth scales: the frame filtered to the size, within a small tolerance.
  struct Smooth {
    int width, height;  // the window
    int top, shownHeight;  // where the frame lies in it
  };
  for (const Smooth s : {Smooth{1200, 720, 0, 720}, Smooth{1000, 900, 150, 600}}) {
    resize(s.width, s.height);
    const auto differences = [&](const Picture& p, int* largest) {
      int off = 0;
      *largest = 0;
      for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
          const bool bar = y < s.top || y >= s.top + s.shownHeight;
          const uint32_t expected = bar ? 0 : smoothPixel(frame, s.width, s.shownHeight, x, y - s.top);
          const int d = largestDifference(p.at(x, y), expected);
          *largest = std::max(*largest, d);
          off += d > 4;
        }
      }
      return off;
    };
    int largest = 0;
    const Picture shown = grabUntil(s.width, s.height, [&](const Picture& p) { return differences(p, &largest) == 0; });
    const int off = differences(shown, &largest);
    EXPECT_EQ(off, 0) << s.width << "x" << s.height << ": pixels off by more than 4, largest " << largest;
  }

  // Back in front, at scale 1.5: each arrow clicked at its scaled place
  // turns its row or column, and nothing else.
  run("xdotool windowfocus " + window);
  ASSERT_TRUE(waitForLog("pause loop ended\n"));
  resize(1200, 720);
  const auto board = [&] { return tiles(grab(1200, 720)); };
  for (size_t i = 0; i < arrows.size(); ++i) {
    const auto before = board();
    int x = 0, y = 0;
    arrowCentre(arrows[i], &x, &y);
    bool moved = false;
    for (int attempt = 0; attempt < 8 && !moved; ++attempt) {
      run("xdotool mousemove --window " + window + " " + std::to_string(x * 3 / 2) + " " + std::to_string(y * 3 / 2) +
          " mousedown 1 sleep 0.1 mouseup 1");
      moved = waitFor([&] { return board() != before; }, 3);
      if (!moved) e2e::sleepMs(600);  // never two clicks on one spot within half a second
    }
    ASSERT_TRUE(moved) << "arrow " << i + 1 << " never turned the board";
    // Let the move finish drawing, then compare with the expected turn.
    Arrangement from{};
    for (int p = 0; p < 9; ++p) from[p] = p;
    const Arrangement turned = applyRotation(from, arrows[i]);
    ASSERT_TRUE(waitFor([&] {
      const auto after = board();
      for (int p = 0; p < 9; ++p)
        if (after[p] != before[turned[p]]) return false;
      return true;
    }, 10)) << "arrow " << i + 1 << " (" << arrows[i].code << ", " << arrows[i].index << ") turned the wrong tiles";
    run("xdotool mousemove --window " + window + " 1190 710");  // off the arrows
  }

  // Alt+Enter: the whole screen, the display's mode unchanged; again: back.
  const Geometry placed = geometryOf(window);
  const std::string desktop = "scaled window " + std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight);
  run("xdotool keydown alt key Return keyup alt");
  ASSERT_TRUE(waitForLog(desktop + " shows 800x480 at 2048x1229+0+25, smooth\n")) << log();
  EXPECT_TRUE(waitFor([&] {
    const Geometry g = geometryOf(window);
    return g.x == 0 && g.y == 0 && g.width == kScreenWidth && g.height == kScreenHeight;
  }, 30));
  const int windowed = occurrences(log(), "scaled window 1200x720 shows");
  run("xdotool keydown alt key Return keyup alt");
  ASSERT_TRUE(waitForLog("scaled window 1200x720 shows", windowed + 1)) << log();
  EXPECT_TRUE(waitFor([&] {
    const Geometry g = geometryOf(window);
    return g.x == placed.x && g.y == placed.y && g.width == 1200 && g.height == 720;
  }, 30)) << "the window did not come back to where it was";

  run("xdotool keydown Escape; sleep 0.2; xdotool keyup Escape");
  ASSERT_EQ(child->wait(60), 0);
  EXPECT_EQ(log().find("No Fullscreen Mode available"), std::string::npos);

  // The recording replays in an ordinary window: every frame the same.
  fs::remove(home / "ErrorLog.txt");
  ChildProcess replay(program, {"TMPDIR=" + home.string(), "MORVANE_WINDOW=", "MORVANE_REPLAY=" + recording,
                                "MORVANE_NO_FRAME_HOLD=1"});
  EXPECT_EQ(replay.wait(300), 0) << replay.output();
  const std::string replayed = log();
  EXPECT_EQ(replayed.find("scaled window"), std::string::npos);
  EXPECT_NE(replayed.find(" frame hashes equal"), std::string::npos) << replayed;
}

// The committed recording of a solve, made in an ordinary window, replays in
// a scaled one with every frame hash equal: confetti, static and all.
TEST_F(ScaledWindowTest, TheCommittedSolveReplaysInAScaledWindowFrameForFrame) {
  const fs::path binary = MORVANE_BINARY_DIR;
  home = binary / "tmp" / "e2e-scaled-replay";
  fs::remove_all(home);
  fs::create_directories(home / "Media");
  fs::copy_file(binary / "quadrivolant", home / "quadrivolant");
  fs::copy_file(binary / "Media" / "Media.sbx", home / "Media" / "Media.sbx");
  const fs::path recording = fs::path(MORVANE_SOURCE_DIR) / "tests" / "data" / "replay" / "quadrivolant-solve.mvr";
  ChildProcess replay((home / "quadrivolant").string(),
                      {"TMPDIR=" + home.string(), "MORVANE_WINDOW=scaled", "MORVANE_REPLAY=" + recording.string(),
                       "MORVANE_NO_FRAME_HOLD=1"});
  EXPECT_EQ(replay.wait(300), 0) << replay.output();
  const std::string replayed = log();
  EXPECT_NE(replayed.find("scaled window 800x480 shows"), std::string::npos);
  EXPECT_NE(replayed.find(" frame hashes equal"), std::string::npos) << replayed;
}

// Wayfarer in a window of one and a half times its 640 by 480: a click on a
// cell, at its scaled place, walks the walker to exactly that cell.
TEST_F(ScaledWindowTest, WayfarersClickLandsInTheRightCellAtOneAndAHalf) {
  const fs::path program = fs::path(MORVANE_BINARY_DIR) / "examples" / "wayfarer" / "wayfarer";
  ASSERT_TRUE(fs::exists(program)) << program;
  home = fs::path(MORVANE_BINARY_DIR) / "tmp" / "e2e-scaled-wayfarer";
  fs::remove_all(home);
  fs::create_directories(home);
  child = std::make_unique<ChildProcess>(
      program.string(), std::vector<std::string>{"TMPDIR=" + home.string(), "MORVANE_WINDOW=scaled",
                                                 "WAYFARER_TRACE=1"});
  ASSERT_TRUE(waitFor([&] { return child->output().find("ready ") != std::string::npos; }, 60)) << child->output();
  findWindow("Wayfarer", 640, 480);
  resize(960, 720);

  // Cells are 32 pixels; the click lands on the window pixel that shows the
  // cell's last column and row, whose right and lower neighbours show the
  // next cells: a pixel's error in the way back would name another cell.
  struct Target {
    int x, y;
  };
  for (const Target cell : {Target{16, 10}, Target{9, 12}}) {
    ASSERT_GT(wayfarer::stepCost(cell.x, cell.y), 0);
    const int x = ((cell.x * 32 + 31) * 3 + 1) / 2, y = ((cell.y * 32 + 31) * 3 + 1) / 2;
    run("xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y) +
        " mousedown 1 sleep 0.1 mouseup 1");
    const std::string arrival = "at " + std::to_string(cell.x) + " " + std::to_string(cell.y) + "\n";
    ASSERT_TRUE(waitFor([&] { return child->output().find(arrival) != std::string::npos; }, 90))
        << "no walk to " << cell.x << "," << cell.y << ":\n" << child->output();
    const std::string out = child->output();
    const size_t search = out.rfind("path ");
    ASSERT_NE(search, std::string::npos);
    const std::string line = out.substr(search, out.find('\n', search) - search);
    EXPECT_EQ(line.substr(line.rfind(' ') + 1), std::to_string(cell.x) + "," + std::to_string(cell.y)) << line;
    e2e::sleepMs(600);  // never two clicks within half a second
  }
  run("xdotool keydown Escape; sleep 0.2; xdotool keyup Escape");
  EXPECT_EQ(child->wait(30), 0);
}

}  // namespace
}  // namespace quadrivolant_test
