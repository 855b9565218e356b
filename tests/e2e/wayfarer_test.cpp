// Plays the example program examples/wayfarer on the display: a click on a
// cell across the river walks the walker there along findPath's path, cell
// by cell, with a footstep in the sound output (SDL's disk driver) for each
// step, and the walker is seen on the goal cell afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "examples/wayfarer/map.h"
#include "runtime/pathfind/find_path.h"
#include "runtime/values/rt_array.h"
#include "tests/app/child_process.h"
#include "tests/e2e/shell.h"

namespace wayfarer_test {
namespace {

namespace fs = std::filesystem;
using mvn::testing::ChildProcess;
using mvn::testing::fileText;
using mvn::testing::waitFor;

struct Cell {
  int x, y;
  bool operator==(const Cell& o) const { return x == o.x && y == o.y; }
};
void PrintTo(const Cell& c, std::ostream* os) { *os << c.x << "," << c.y; }

// Where the program starts its walker, and the cell the test clicks: across
// the river, so that the way must find a bridge.
const Cell kStart{5, 7};
const Cell kGoal{16, 10};

using e2e::run;

std::vector<std::string> linesStartingWith(const std::string& text, const std::string& prefix) {
  std::vector<std::string> found;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(prefix, 0) == 0) found.push_back(line.substr(prefix.size()));
  }
  return found;
}

// "N X,Y X,Y ..." of a "path" line.
std::vector<Cell> parsePath(const std::string& text) {
  std::istringstream in(text);
  int n = 0;
  in >> n;
  std::vector<Cell> cells;
  char comma = 0;
  Cell c{};
  while (in >> c.x >> comma >> c.y) cells.push_back(c);
  EXPECT_EQ(static_cast<int>(cells.size()), n) << text;
  return cells;
}

// The path the program should walk: the runtime's search over the map's costs.
std::vector<Cell> expectedPath() {
  mvn::RtArray<double> costs;
  costs.dimension(wayfarer::kColumns, wayfarer::kRows);
  for (int y = 0; y < wayfarer::kRows; ++y) {
    for (int x = 0; x < wayfarer::kColumns; ++x) costs(x, y) = wayfarer::stepCost(x, y);
  }
  mvn::RtArray<int> path;
  const int n = mvn::findPath(costs, path, 0.5, kStart.x, kStart.y, kGoal.x, kGoal.y);
  std::vector<Cell> cells;
  for (int i = 0; i < n; ++i) cells.push_back({path(i, 0), path(i, 1)});
  return cells;
}

// Stretches of sound in the disk driver's output (16-bit stereo at 44.1 kHz,
// starting at frame `from`), as lengths in milliseconds: a stretch ends after
// 20 ms below the noise floor.
std::vector<int> soundBursts(const std::string& raw, size_t from) {
  const size_t quietFrames = 882;
  std::vector<int> bursts;
  size_t start = 0, lastLoud = 0;
  bool inBurst = false;
  for (size_t frame = from; frame * 4 + 3 < raw.size(); ++frame) {
    int loudest = 0;
    for (int side = 0; side < 2; ++side) {
      const size_t at = frame * 4 + side * 2;
      const int sample = static_cast<int16_t>(static_cast<unsigned char>(raw[at]) |
                                              static_cast<unsigned char>(raw[at + 1]) << 8);
      loudest = std::max(loudest, std::abs(sample));
    }
    if (loudest > 300) {
      if (!inBurst) start = frame;
      inBurst = true;
      lastLoud = frame;
    } else if (inBurst && frame - lastLoud > quietFrames) {
      bursts.push_back(static_cast<int>((lastLoud + 1 - start) * 1000 / 44100));
      inBurst = false;
    }
  }
  if (inBurst) bursts.push_back(static_cast<int>((lastLoud + 1 - start) * 1000 / 44100));
  return bursts;
}

class WayfarerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') GTEST_SKIP() << "no display";
    for (const char* tool : {"xdotool", "import", "convert"}) {
      if (run(std::string("command -v ") + tool).empty()) GTEST_SKIP() << tool << " missing";
    }
    program = fs::path(MORVANE_BINARY_DIR) / "examples" / "wayfarer" / "wayfarer";
    ASSERT_TRUE(fs::exists(program)) << program;
    home = fs::path(MORVANE_BINARY_DIR) / "tmp" / "e2e-wayfarer";
    fs::remove_all(home);
    fs::create_directories(home);
  }

  // The program's window once it has its 640 by 480 size, and its position.
  bool findWindow() {
    std::istringstream found(run("xdotool search --name '^Wayfarer$' 2>/dev/null"));
    for (std::string id; found >> id;) {
      const std::string geometry = run("xdotool getwindowgeometry --shell " + id);
      if (geometry.find("WIDTH=640\n") == std::string::npos || geometry.find("HEIGHT=480\n") == std::string::npos)
        continue;
      window = id;
      std::istringstream lines(geometry);
      for (std::string line; std::getline(lines, line);) {
        if (line.rfind("X=", 0) == 0) left = std::stoi(line.substr(2));
        if (line.rfind("Y=", 0) == 0) top = std::stoi(line.substr(2));
      }
      return true;
    }
    return false;
  }

  // Pixels of a cell on the screen in the walker's cloak blue.
  int cloakPixels(const fs::path& shot, Cell cell) {
    const std::string rgb = run("convert '" + shot.string() + "' -crop 32x32+" + std::to_string(cell.x * 32) + "+" +
                                std::to_string(cell.y * 32) + " +repage -depth 8 rgb:-");
    int count = 0;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
      const int r = static_cast<unsigned char>(rgb[i]), g = static_cast<unsigned char>(rgb[i + 1]),
                b = static_cast<unsigned char>(rgb[i + 2]);
      count += b > 130 && b > r + 80 && b > g + 50;
    }
    return count;
  }

  fs::path program, home;
  std::string window;
  int left = 0, top = 0;
};

TEST_F(WayfarerTest, AClickAcrossTheRiverWalksFindPathsWayWithAFootstepPerCell) {
  const std::vector<Cell> expected = expectedPath();
  ASSERT_GE(expected.size(), 2u);
  // The way itself: from the start to the goal in steps of one cell, over passable cells only.
  for (size_t i = 1; i < expected.size(); ++i) {
    const Cell a = expected[i - 1], b = expected[i];
    EXPECT_EQ(std::abs(a.x - b.x) + std::abs(a.y - b.y), 1) << "step " << i;
    EXPECT_GT(wayfarer::stepCost(b.x, b.y), 0) << "step " << i << " onto a blocked cell";
  }

  const std::string audio = (home / "output.raw").string();
  ChildProcess child(program.string(), {"TMPDIR=" + home.string(), "WAYFARER_TRACE=1", "MORVANE_NO_MESSAGEBOX=1",
                                        "SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + audio});
  ASSERT_TRUE(waitFor([&] { return child.output().find("ready ") != std::string::npos; }, 60)) << child.output();
  EXPECT_EQ(linesStartingWith(child.output(), "ready "), std::vector<std::string>{"5 7"});
  ASSERT_TRUE(waitFor([&] { return findWindow(); }, 30)) << "the 640 by 480 window never appeared";

  // Everything the output holds so far was written before the click.
  std::error_code error;
  const uintmax_t written = fs::file_size(audio, error);
  const size_t framesBeforeClick = error ? 0 : static_cast<size_t>(written / 4);
  const int x = kGoal.x * 32 + 16, y = kGoal.y * 32 + 16;
  run("xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y) +
      " mousedown 1 sleep 0.1 mouseup 1");
  const std::string arrival = "at " + std::to_string(kGoal.x) + " " + std::to_string(kGoal.y) + "\n";
  ASSERT_TRUE(waitFor([&] { return child.output().find(arrival) != std::string::npos; }, 90)) << child.output();

  // One search, giving findPath's way; the walker reached its cells in order, a footstep for each.
  const std::string out = child.output();
  const std::vector<std::string> searches = linesStartingWith(out, "path ");
  ASSERT_EQ(searches.size(), 1u) << out;
  const std::vector<Cell> walked = parsePath(searches[0]);
  ASSERT_EQ(walked, expected) << searches[0];
  std::vector<Cell> reached;
  for (const std::string& at : linesStartingWith(out, "at ")) {
    Cell c{};
    std::istringstream(at) >> c.x >> c.y;
    reached.push_back(c);
  }
  EXPECT_EQ(reached, std::vector<Cell>(expected.begin() + 1, expected.end())) << out;
  const std::vector<std::string> steps = linesStartingWith(out, "step ");
  EXPECT_EQ(steps.size(), expected.size() - 1) << out;
  for (const std::string& handle : steps) EXPECT_GE(std::stoi(handle), 256) << "a footstep did not play";

  // The screen shows the walker on the goal, no longer on the start.
  const fs::path shot = home / "arrived.png";
  run("xdotool mousemove --window " + window + " 8 470");  // the pointer's frame off the map
  ASSERT_TRUE(waitFor([&] {
    run("import -window root -crop 640x480+" + std::to_string(left) + "+" + std::to_string(top) + " +repage '" +
        shot.string() + "'");
    return cloakPixels(shot, kGoal) >= 30;
  }, 30)) << "no walker on the goal cell in " << shot;
  EXPECT_LT(cloakPixels(shot, kStart), 5);

  // Escape ends the program through its end routine.
  run("xdotool keydown Escape; sleep 0.2; xdotool keyup Escape");
  EXPECT_EQ(child.wait(30), 0);
  const std::string log = fileText((home / "ErrorLog.txt").string());
  EXPECT_EQ(log.substr(log.size() - std::min<size_t>(log.size(), 31)), "Shut down MVN\nmvn is shut down\n");
  EXPECT_EQ(child.output().find("error:"), std::string::npos) << child.output();

  // The output: silent until the click; then the footsteps, each a burst of
  // about the sample's 90 ms (steps that fall close together on a slow
  // machine may merge).
  const std::string raw = fileText(audio);
  ASSERT_GT(raw.size() / 4, framesBeforeClick);
  const std::vector<int> beforeClick = soundBursts(raw.substr(0, framesBeforeClick * 4), 0);
  EXPECT_TRUE(beforeClick.empty()) << beforeClick.size() << " sounds before the click";
  const std::vector<int> bursts = soundBursts(raw, framesBeforeClick);
  ASSERT_FALSE(bursts.empty()) << "no footstep in the sound output";
  EXPECT_LE(bursts.size(), steps.size());
  EXPECT_GE(bursts.size(), steps.size() / 3);
  const auto whole = std::count_if(bursts.begin(), bursts.end(), [](int ms) { return ms >= 60 && ms <= 130; });
  EXPECT_GE(whole, 1) << "no burst with the length of one footstep";
}

}  // namespace
}  // namespace wayfarer_test
