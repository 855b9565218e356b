// Plays the example program examples/brickfall on the display with real keys
// and clicks: the arrow keys move the paddle, Space held and let go launches,
// P pauses and plays on, lost balls end the game, the best score lands in its
// file and Return starts again. Also the best score file on its own: whatever
// is in it, the program reads a number and never fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "examples/brickfall/best_score.h"
#include "tests/app/child_process.h"
#include "tests/e2e/shell.h"

namespace brickfall_test {
namespace {

namespace fs = std::filesystem;
using e2e::run;
using mvn::testing::ChildProcess;
using mvn::testing::fileText;
using mvn::testing::waitFor;

fs::path scratchFolder(const std::string& name) {
  const fs::path folder = fs::path(MORVANE_BINARY_DIR) / "tmp" / name;
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

void writeFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

TEST(BrickfallBestScore, ReadsANumberFromWhateverTheFileHolds) {
  const fs::path folder = scratchFolder("brickfall-best");
  const struct {
    const char* what;
    std::string text;
    int best;
  } cases[] = {
      {"a score", "1230\n", 1230},
      {"a score without its newline", "70", 70},
      {"an empty file", "", 0},
      {"letters", "best\n", 0},
      {"digits then letters", "12x\n", 0},
      {"a negative number", "-40\n", 0},
      {"too many digits", "12345678901234567890\n", 0},
      {"a second line", "10\n20\n", 0},
      {"binary", std::string("\x00\xff\x12\n", 4), 0},
  };
  for (const auto& c : cases) {
    const fs::path path = folder / "brickfall-best.txt";
    writeFile(path, c.text);
    EXPECT_EQ(brickfall::readBestScore(path.string()), c.best) << c.what;
  }
  EXPECT_EQ(brickfall::readBestScore((folder / "missing.txt").string()), 0);
  EXPECT_EQ(brickfall::readBestScore(folder.string()), 0) << "a folder";
}

TEST(BrickfallBestScore, WritesWholeOrNotAtAll) {
  const fs::path folder = scratchFolder("brickfall-best-write");
  const std::string path = (folder / "brickfall-best.txt").string();
  ASSERT_TRUE(brickfall::writeBestScore(path, 560));
  EXPECT_EQ(fileText(path), "560\n");
  EXPECT_EQ(brickfall::readBestScore(path), 560);
  EXPECT_FALSE(fs::exists(path + ".new"));

  // A folder that does not exist: no file, no crash.
  EXPECT_FALSE(brickfall::writeBestScore((folder / "gone" / "best.txt").string(), 10));
  // A folder in the file's place cannot be replaced: the folder stays, no scratch file is left.
  fs::create_directories(folder / "taken" / "brickfall-best.txt" / "inside");
  EXPECT_FALSE(brickfall::writeBestScore((folder / "taken" / "brickfall-best.txt").string(), 10));
  EXPECT_TRUE(fs::is_directory(folder / "taken" / "brickfall-best.txt"));
  EXPECT_FALSE(fs::exists(folder / "taken" / "brickfall-best.txt.new"));
}

TEST(BrickfallBestScore, LivesInTheTemporaryDirectory) {
  const char* saved = std::getenv("TMPDIR");
  const std::string restore = saved ? saved : "";
  setenv("TMPDIR", "/some/where", 1);
  EXPECT_EQ(brickfall::bestScorePath(), "/some/where/brickfall-best.txt");
  setenv("TMPDIR", "/some/where/", 1);
  EXPECT_EQ(brickfall::bestScorePath(), "/some/where/brickfall-best.txt");
  unsetenv("TMPDIR");
  EXPECT_EQ(brickfall::bestScorePath(), "/tmp/brickfall-best.txt");
  if (saved) setenv("TMPDIR", restore.c_str(), 1);
}

// The lines of the program's trace that start with a word, without it.
std::vector<std::string> linesStartingWith(const std::string& text, const std::string& prefix) {
  std::vector<std::string> found;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(prefix, 0) == 0) found.push_back(line.substr(prefix.size()));
  }
  return found;
}

class BrickfallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') GTEST_SKIP() << "no display";
    for (const char* tool : {"xdotool", "import", "convert"}) {
      if (run(std::string("command -v ") + tool).empty()) GTEST_SKIP() << tool << " missing";
    }
    program = fs::path(MORVANE_BINARY_DIR) / "examples" / "brickfall" / "brickfall";
    ASSERT_TRUE(fs::exists(program)) << program;
    home = scratchFolder("e2e-brickfall");
  }

  // The program's window once it has its 640 by 480 size, and its position.
  bool findWindow() {
    std::istringstream found(run("xdotool search --name '^Brickfall$' 2>/dev/null"));
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

  void pointAt(int x, int y) {
    run("xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y));
  }

  // Waits for one more trace line starting with prefix than `seen` and returns it.
  std::string next(ChildProcess& child, const std::string& prefix, size_t seen, double seconds = 30) {
    std::vector<std::string> lines;
    const bool came = waitFor([&] {
      lines = linesStartingWith(child.output(), prefix);
      return lines.size() > seen;
    }, seconds);
    EXPECT_TRUE(came) << "no \"" << prefix << "\" line; the trace:\n" << child.output();
    return came ? lines[seen] : std::string();
  }

  // Pixels of a rectangle of the window in a colour.
  template <typename Colour>
  int pixelsLike(int x, int y, int width, int height, Colour colour) {
    const fs::path shot = home / "shot.png";
    run("import -window root -crop 640x480+" + std::to_string(left) + "+" + std::to_string(top) + " +repage '" +
        shot.string() + "'");
    const std::string rgb = run("convert '" + shot.string() + "' -crop " + std::to_string(width) + "x" +
                                std::to_string(height) + "+" + std::to_string(x) + "+" + std::to_string(y) +
                                " +repage -depth 8 rgb:-");
    int count = 0;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
      count += colour(static_cast<unsigned char>(rgb[i]), static_cast<unsigned char>(rgb[i + 1]),
                      static_cast<unsigned char>(rgb[i + 2]));
    }
    return count;
  }

  fs::path program, home;
  std::string window;
  int left = 0, top = 0;
};

TEST_F(BrickfallTest, KeysAndClicksPlayAGameToItsEndAndAgain) {
  writeFile(home / "brickfall-best.txt", "12x\n");  // damaged: the best is 0
  ChildProcess child(program.string(), {"TMPDIR=" + home.string(), "BRICKFALL_TRACE=1", "MORVANE_NO_MESSAGEBOX=1",
                                        "SDL_AUDIODRIVER=dummy"});
  EXPECT_EQ(next(child, "ready ", 0, 60), "0");
  ASSERT_TRUE(waitFor([&] { return findWindow(); }, 30)) << "the 640 by 480 window never appeared";
  pointAt(320, 300);  // the pointer over the window, where the paddle already is

  // Right moves the paddle; it says where it stopped when the key comes up.
  run("xdotool keydown Right sleep 0.2 keyup Right");
  const int paddle = std::atoi(next(child, "paddle ", 0).c_str());
  EXPECT_GT(paddle, 320);
  EXPECT_LE(paddle, 632 - 40);

  // Space down starts the aim, Space up launches from the paddle.
  run("xdotool keydown space");
  next(child, "aim", 0);
  run("xdotool keyup space");
  std::istringstream launch(next(child, "launch ", 0));
  int launchX = 0, angle = 0;
  launch >> launchX >> angle;
  EXPECT_EQ(launchX, paddle);
  EXPECT_GE(angle, 40);
  EXPECT_LE(angle, 140);

  // P stops the ball where it is, P again lets it go on from there.
  run("xdotool key p");
  const std::string paused = next(child, "pause ", 0);
  run("xdotool key p");
  EXPECT_EQ(next(child, "resume ", 0), paused);

  // The ball breaks bricks, each with its sound.
  const std::string brick = next(child, "brick ", 0);
  int column = -1, row = -1, score = 0, handle = -1;
  std::istringstream(brick) >> column >> row >> score >> handle;
  EXPECT_GT(score, 0) << brick;
  EXPECT_EQ(handle / 256, 2) << "the crack sound did not play: " << brick;

  // Lose every ball: the pointer takes the paddle away from wherever the ball
  // comes down, and a click launches the next ball.
  size_t fallingSeen = 0, serveSeen = linesStartingWith(child.output(), "serve").size();
  const bool over = waitFor([&] {
    const std::string out = child.output();
    const std::vector<std::string> falling = linesStartingWith(out, "falling ");
    for (; fallingSeen < falling.size(); ++fallingSeen) pointAt(std::atoi(falling[fallingSeen].c_str()) < 320 ? 600 : 40, 300);
    const size_t serves = linesStartingWith(out, "serve").size();
    if (serves > serveSeen) {
      serveSeen = serves;
      run("xdotool click 1");
    }
    return !linesStartingWith(out, "over ").empty();
  }, 120);
  ASSERT_TRUE(over) << child.output();
  int finalScore = 0, best = 0;
  std::istringstream(linesStartingWith(child.output(), "over ")[0]) >> finalScore >> best;
  EXPECT_EQ(linesStartingWith(child.output(), "lost ").size(), 3u);
  EXPECT_GE(finalScore, score);
  EXPECT_EQ(best, finalScore) << "the damaged file's best counts as 0";
  EXPECT_EQ(fileText((home / "brickfall-best.txt").string()), std::to_string(finalScore) + "\n");

  // The screen: GAME OVER in the program's near-white font, tinted red; the
  // score in the bar in the built-in white font, tinted gold.
  pointAt(40, 300);
  const auto red = [](int r, int g, int b) { return r > 180 && g < 110 && b < 110; };
  const auto gold = [](int r, int g, int b) { return r > 200 && g > 170 && b < 110; };
  EXPECT_GT(pixelsLike(100, 170, 440, 70, red), 400);
  EXPECT_GT(pixelsLike(0, 0, 200, 40, gold), 100);

  // Return plays again, with the best kept.
  run("xdotool key Return");
  EXPECT_EQ(next(child, "restart ", 0), std::to_string(finalScore));
  next(child, "serve", serveSeen);

  // Escape ends the program through its end routine.
  run("xdotool keydown Escape; sleep 0.2; xdotool keyup Escape");
  EXPECT_EQ(child.wait(30), 0);
  const std::string log = fileText((home / "ErrorLog.txt").string());
  EXPECT_EQ(log.substr(log.size() - std::min<size_t>(log.size(), 31)), "Shut down MVN\nmvn is shut down\n");
  EXPECT_EQ(child.output().find("error:"), std::string::npos) << child.output();
}

}  // namespace
}  // namespace brickfall_test
