// Runs recorded through real input on the display, replayed: the game (a held
// arrow, the clicks that solve the deal, a new deal, Escape) and Wayfarer
// (clicks, walks, footsteps). Each replay presents every frame as recorded,
// twice over, without the frame hold.
//
// The recordings are left in the build tree as e2e-shots/quadrivolant-solve.mvr
// and e2e-shots/wayfarer-walks.mvr: the committed ones (tests/data/replay,
// examples/wayfarer/runs) were made by this test.
#include <gtest/gtest.h>

#include <array>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "examples/wayfarer/map.h"
#include "game/board.h"
#include "runtime/values/random.h"
#include "tests/e2e/screen_grab.h"
#include "tests/e2e/shell.h"
#include "tests/e2e/game_moves.h"
#include "tests/e2e/solver.h"
#include "tests/replay/program_run.h"

namespace quadrivolant_test {
namespace {

namespace fs = std::filesystem;
using e2e::run;
using replay_test::fileText;
using replay_test::freshFolder;
using replay_test::Program;
using replay_test::Ran;
using replay_test::runProgram;

const uint32_t kSeed = 20261212;
constexpr int kTile = 120;

// The window of the given title once it has the given size; its id and its
// client area's top-left on the screen.
bool findWindow(const std::string& title, int width, int height, std::string& id, int& left, int& top) {
  std::istringstream found(run("xdotool search --name '^" + title + "$' 2>/dev/null"));
  for (std::string candidate; found >> candidate;) {
    const std::string geometry = run("xdotool getwindowgeometry --shell " + candidate);
    if (geometry.find("WIDTH=" + std::to_string(width) + "\n") == std::string::npos ||
        geometry.find("HEIGHT=" + std::to_string(height) + "\n") == std::string::npos)
      continue;
    id = candidate;
    std::istringstream lines(geometry);
    for (std::string line; std::getline(lines, line);) {
      if (line.rfind("X=", 0) == 0) left = std::stoi(line.substr(2));
      if (line.rfind("Y=", 0) == 0) top = std::stoi(line.substr(2));
    }
    return true;
  }
  return false;
}

// Replays the recording twice without the frame hold: each ends as recorded
// with every frame's hash equal. Returns the first replay's standard output.
std::string replayTwice(const fs::path& program, const fs::path& recording, const std::string& name,
                        std::vector<std::string> env = {}) {
  std::string output;
  for (int pass = 1; pass <= 2; ++pass) {
    std::vector<std::string> settings = env;
    settings.push_back("MORVANE_REPLAY=" + recording.string());
    settings.push_back("MORVANE_NO_FRAME_HOLD=1");
    const Ran ran = runProgram(program, freshFolder(name + "_" + std::to_string(pass)), settings, 120);
    EXPECT_EQ(ran.status, 0) << "replay " << pass << ": " << ran.err;
    std::smatch match;
    EXPECT_TRUE(std::regex_search(ran.log, match,
                                  std::regex("replay: the run ended as recorded after ([0-9]+) frames; "
                                             "([0-9]+) frame hashes equal\n")))
        << ran.log;
    if (match.size() == 3) {
      EXPECT_EQ(match[1], match[2]) << "not every frame was compared";
      EXPECT_GT(std::stol(match[1]), 200) << "a short run";
    }
    if (pass == 1) output = ran.out;
  }
  return output;
}

class RecordedGame : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') GTEST_SKIP() << "no display";
    if (run("command -v xdotool").empty()) GTEST_SKIP() << "xdotool missing";
    ASSERT_TRUE(screen.ready()) << "the display cannot be read";
  }

  using Tile = std::vector<uint32_t>;
  // The nine tiles as the display shows them, in reading order.
  std::array<Tile, 9> tiles() {
    const std::vector<uint32_t> pixels = screen.grab(left + 60, top + 60, 3 * kTile, 3 * kTile);
    std::array<Tile, 9> out;
    if (pixels.size() != size_t{9} * kTile * kTile) return out;
    for (int t = 0; t < 9; ++t) {
      for (int y = 0; y < kTile; y += 4)
        for (int x = 0; x < kTile; x += 4)
          out[t].push_back(pixels[size_t(t / 3 * kTile + y) * 3 * kTile + t % 3 * kTile + x]);
    }
    return out;
  }

  // Tiles that differ from before, counted.
  int changedTiles(const std::array<Tile, 9>& before) {
    const std::array<Tile, 9> now = tiles();
    int changed = 0;
    for (int t = 0; t < 9; ++t) changed += now[t] != before[t];
    return changed;
  }

  // Waits until the display has shown `count` passes of the game go by: the
  // blocks falling behind the board, right of the reference picture, move on
  // every pass. A loaded machine only makes the wait longer; what the game
  // counts in passes (its cooldowns) the test counts so too.
  void passes(int count) {
    std::vector<uint32_t> last = screen.grab(left + 720, top, 80, 480);
    int seen = 0;
    ASSERT_TRUE(replay_test::waitFor([&] {
      std::vector<uint32_t> now = screen.grab(left + 720, top, 80, 480);
      if (now != last) ++seen;
      last = std::move(now);
      return seen >= count;
    })) << "the game stopped presenting passes";
  }

  // Waits until the board has changed in at least `tiles` tiles since `before`.
  bool boardChanges(const std::array<Tile, 9>& before, int tiles) {
    return replay_test::waitFor([&] { return changedTiles(before) >= tiles; });
  }

  void click(int x, int y, double hold = 0.1) {
    run("xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y) +
        " mousedown 1 sleep " + std::to_string(hold) + " mouseup 1");
  }

  ScreenGrab screen;
  std::string window;
  int left = 0, top = 0;
};

TEST_F(RecordedGame, ASolveAndANewDealReplayFrameForFrame) {
  const fs::path folder = freshFolder("e2e_game");
  const fs::path recording = folder / "quadrivolant-solve.mvr";
  const fs::path game = fs::path(MORVANE_BINARY_DIR) / "quadrivolant";
  Program program(game, folder,
                  {"MORVANE_SEED=" + std::to_string(kSeed), "MORVANE_RECORD=" + recording.string(),
                   "MORVANE_RECORD_FRAMES=1"});
  ASSERT_TRUE(program.started());
  replay_test::waitFor([&] { return findWindow("Quadrivolant", 800, 480, window, left, top); });
  ASSERT_FALSE(window.empty()) << "the game's window never appeared";
  // A window without the focus pauses the game: it gets it first.
  run("xdotool windowfocus --sync " + window);
  passes(60);  // presses count from the 50th pass on

  // A press held on the first column's up arrow turns the column every ten
  // passes; what the display shows afterwards tells how often, three turns
  // making a whole round.
  const std::array<Tile, 9> dealt = tiles();
  click(120, 30, 0.5);
  passes(3);  // the last turn on the display
  const std::array<Tile, 9> held = tiles();
  int turns = -1;
  for (int k = 0; k < 3 && turns < 0; ++k) {
    bool same = true;
    for (int row = 0; row < 3; ++row) {
      for (int column = 0; column < 3; ++column) {
        const int from = column == 0 ? 3 * ((row + k) % 3) : 3 * row + column;
        same &= held[3 * row + column] == dealt[from];
      }
    }
    if (same) turns = k;
  }
  ASSERT_GE(turns, 0) << "the held arrow did something else than turn the first column";
  Arrangement board = dealtBoard(kSeed);
  for (int k = 0; k < turns; ++k) board = applyRotation(board, {4, 1});

  // The window loses the focus, which pauses the game, and gets it back.
  std::istringstream rootInfo(run("xwininfo -root"));
  std::string root;
  for (std::string word; rootInfo >> word && root.empty();)
    if (word == "id:") rootInfo >> root;
  ASSERT_FALSE(root.empty());
  const fs::path log = folder / "ErrorLog.txt";
  const auto logged = [&](const std::string& line) {
    return replay_test::waitFor([&] { return fileText(log).find(line) != std::string::npos; });
  };
  run("xdotool windowfocus " + root);
  ASSERT_TRUE(logged("pause loop in showscreen/hibernate\n")) << fileText(log);
  run("xdotool windowfocus " + window);
  ASSERT_TRUE(logged("pause loop ended\n")) << fileText(log);
  passes(12);  // past the held press's cooldown

  // The clicks that solve the picture, each once the one before has shown and
  // its cooldown of 10 passes is over.
  std::vector<Rotation> moves;
  ASSERT_TRUE(solve(board, &moves));
  ASSERT_GE(moves.size(), 2u);
  for (size_t i = 0; i < moves.size(); ++i) {
    int x = 0, y = 0;
    arrowCentre(moves[i], &x, &y);
    const std::array<Tile, 9> before = tiles();
    click(x, y);
    ASSERT_TRUE(boardChanges(before, 3)) << "move " << i + 1 << " of " << moves.size() << " never showed";
    passes(12);
  }

  // A press deals again once 100 passes have gone by since the solve: the
  // whole board changes (the confetti over the solved one changes a little).
  passes(110);
  const std::array<Tile, 9> solved = tiles();
  click(240, 240);
  ASSERT_TRUE(boardChanges(solved, 7)) << "no new deal";
  passes(20);  // the new deal's first passes go into the recording too
  run("xdotool keydown Escape; sleep 0.2; xdotool keyup Escape");
  const Ran recorded = program.wait(30);
  ASSERT_EQ(recorded.status, 0) << recorded.err;
  ASSERT_NE(recorded.log.find("frames written to " + recording.string()), std::string::npos) << recorded.log;
  ASSERT_NE(recorded.log.find("pause loop ended\n"), std::string::npos) << recorded.log;

  const fs::path kept = fs::path(MORVANE_BINARY_DIR) / "e2e-shots" / "quadrivolant-solve.mvr";
  fs::create_directories(kept.parent_path());
  fs::copy_file(recording, kept, fs::copy_options::overwrite_existing);
  replayTwice(game, recording, "e2e_game_replay");
}

TEST_F(RecordedGame, WayfarersWalksAndFootstepsReplayFrameForFrame) {
  const fs::path folder = freshFolder("e2e_wayfarer");
  const fs::path recording = folder / "wayfarer.mvr";
  const fs::path wayfarer = fs::path(MORVANE_BINARY_DIR) / "examples" / "wayfarer" / "wayfarer";
  const int width = wayfarer::kColumns * wayfarer::kCell;
  Program program(wayfarer, folder,
                  {"WAYFARER_TRACE=1", "MORVANE_RECORD=" + recording.string(), "MORVANE_RECORD_FRAMES=1"});
  ASSERT_TRUE(program.started());
  replay_test::waitFor([&] { return findWindow("Wayfarer", width, 480, window, left, top); });
  ASSERT_FALSE(window.empty()) << "Wayfarer's window never appeared";
  ASSERT_TRUE(replay_test::waitFor([&] { return program.output().find("ready ") != std::string::npos; }))
      << "Wayfarer never became ready";

  // A walk across the river, a second click while it goes on, and a walk
  // back to a cell near the start; every cell reached is traced.
  const auto arrived = [&](int column, int row) {
    return program.output().find("at " + std::to_string(column) + " " + std::to_string(row) + "\n") !=
           std::string::npos;
  };
  const auto cellCentre = [](int cell) { return cell * wayfarer::kCell + wayfarer::kCell / 2; };
  click(cellCentre(16), cellCentre(10));
  // The second click comes once the first walk is under way.
  ASSERT_TRUE(replay_test::waitFor([&] { return program.output().find("at ") != std::string::npos; }))
      << program.output();
  click(cellCentre(14), cellCentre(3));
  ASSERT_TRUE(replay_test::waitFor([&] { return arrived(14, 3); })) << program.output();
  click(cellCentre(6), cellCentre(9));
  ASSERT_TRUE(replay_test::waitFor([&] { return arrived(6, 9); })) << program.output();
  run("xdotool keydown Escape; sleep 0.2; xdotool keyup Escape");
  const Ran recorded = program.wait(30);
  ASSERT_EQ(recorded.status, 0) << recorded.err;

  const fs::path kept = fs::path(MORVANE_BINARY_DIR) / "e2e-shots" / "wayfarer-walks.mvr";
  fs::create_directories(kept.parent_path());
  fs::copy_file(recording, kept, fs::copy_options::overwrite_existing);

  // The replay walks the same ways with the same footsteps.
  const std::string replayed = replayTwice(wayfarer, recording, "e2e_wayfarer_replay", {"WAYFARER_TRACE=1"});
  EXPECT_EQ(replayed, recorded.out);
  EXPECT_NE(recorded.out.find("step "), std::string::npos) << recorded.out;
}

}  // namespace
}  // namespace quadrivolant_test
