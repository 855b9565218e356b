// The passes of the game loop: what they draw, when a press moves, the solve
// and the next deal.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "game/blocks.h"
#include "game/board.h"
#include "game/game_loop.h"
#include "game/tapes.h"
#include "tests/game/recorder.h"

namespace quadrivolant_test {
namespace {

using quadrivolant::LoopState;

const std::vector<int> solvedTiles{0, 1, 2, 3, 4, 5, 6, 7, 8};
const std::vector<int> someTiles{4, 0, 7, 2, 8, 1, 6, 3, 5};

class GameLoopTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    quadrivolant::dealPicture();
    setTiles(someTiles);
    quadrivolant::startGameLoop();
  }

  // Passes until the tile cells change; the number of the pass that moved
  // them (counted from 1 for the next pass), or 0 after limit passes.
  int passesUntilMove(LoopState& loop, int limit) {
    for (int n = 1; n <= limit; ++n) {
      std::vector<int> before = tiles();
      pass(loop);
      if (tiles() != before) return n;
    }
    return 0;
  }

  // The highlighted arrows of the last pass: (frame, x, y) of each frame-4..7 draw.
  static std::vector<std::vector<double>> highlights() {
    std::vector<std::vector<double>> result;
    for (const Call& call : calls) {
      if (call.name == "drawAnim" && call.args[0] == 200 && call.args[1] >= 4) {
        result.push_back({call.args[1], call.args[2], call.args[3]});
      }
    }
    return result;
  }
};

TEST_F(GameLoopTest, StartsWithBlocksAndMusic) {
  EXPECT_EQ(quadrivolant::blocks.total, 31);
  ASSERT_EQ(countCalls("playMusic"), 1);
  EXPECT_EQ(calls.back().text, "deliberate thought.mp3");
  EXPECT_EQ(calls.back().args[0], 1);
}

TEST_F(GameLoopTest, PassDrawsTheWholeFrameFromTheBack) {
  LoopState loop;
  pass(loop);
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls[0].name, "drawRect");
  EXPECT_EQ(calls[0].args, (std::vector<double>{0, 0, 800, 480, 0xFFFFFF}));
  EXPECT_EQ(countCalls("startPoly", 501), 31);
  EXPECT_EQ(countCalls("drawAnim", 300), 44 * 44);  // the opening static
  EXPECT_EQ(countCalls("drawAnim", 200), 36);       // nine times the four arrows, nothing highlighted
  // The tiles show the board in reading order at their grid places.
  std::vector<double> tileFrames;
  for (const Call& call : calls) {
    if (call.name == "drawAnim" && call.args[0] == 100) tileFrames.push_back(call.args[1]);
  }
  EXPECT_EQ(tileFrames, (std::vector<double>{4, 0, 7, 2, 8, 1, 6, 3, 5}));
  EXPECT_EQ(countCalls("zoomSprite", 100), 1);

  for (int n = 2; n <= 59; ++n) pass(loop);
  EXPECT_EQ(countCalls("drawAnim", 300), 44 * 44);
  pass(loop);
  EXPECT_EQ(countCalls("drawAnim", 300), 0);  // pass 60: the static is over
}

TEST_F(GameLoopTest, TheStaticNeverComesBackHoweverLongADealLasts) {
  LoopState loop;
  loop.frameCount = std::numeric_limits<int>::max() - 1;
  for (int n = 0; n < 3; ++n) {
    pass(loop);
    EXPECT_EQ(countCalls("drawAnim", 300), 0) << n;
    EXPECT_GT(loop.frameCount, 59);
  }
}

TEST_F(GameLoopTest, PointerBandsHighlightAndMove) {
  struct Case {
    int x, y;
    std::vector<double> highlight;  // frame, x, y; empty: none
    int code, C, R;                 // the move a press makes; code 0: none
  };
  const Case cases[] = {
      {100, 30, {4, 90, 0}, quadrivolant::moveUp, 1, 0},
      {350, 10, {4, 330, 0}, quadrivolant::moveUp, 3, 0},  // beside the image, in the third column's band
      {200, 470, {6, 210, 420}, quadrivolant::moveDown, 2, 4},
      {200, 480, {6, 210, 420}, quadrivolant::moveDown, 2, 4},  // the pointer's inclusive lower limit
      {20, 300, {7, 0, 330}, quadrivolant::moveLeft, 0, 3},
      {450, 100, {5, 420, 90}, quadrivolant::moveRight, 4, 1},
      {30, 30, {}, 0, 0, 0},     // corners of the arrow frame
      {450, 450, {}, 0, 0, 0},
      {540, 30, {}, 0, 0, 0},    // beyond the grid's columns
      {800, 100, {}, 0, 0, 0},
      {200, 200, {}, 0, 0, 0},   // over the tiles
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "pointer " << c.x << "," << c.y);
    setTiles(someTiles);
    LoopState loop;
    loop.cooldown = 0;
    mouse = FakeMouse{c.x, c.y, 1};
    pass(loop);
    std::vector<std::vector<double>> expectedHighlights;
    if (!c.highlight.empty()) expectedHighlights.assign(9, c.highlight);
    EXPECT_EQ(highlights(), expectedHighlights);

    setTiles(someTiles);
    quadrivolant::rebuildGhosts();
    if (c.code != 0) quadrivolant::moveBoard(c.code, c.C, c.R);
    std::vector<int> expected = tiles();
    setTiles(someTiles);
    loop = LoopState{};
    loop.cooldown = 0;
    pass(loop);
    EXPECT_EQ(tiles(), expected);
    EXPECT_EQ(loop.cooldown, c.code != 0 ? 9 : 0);
  }
}

TEST_F(GameLoopTest, NoMoveInTheFirstFiftyPassesThenOneEveryTenWhileHeld) {
  LoopState loop;
  mouse = FakeMouse{100, 30, 1};  // held on the top arrow of the first column
  std::vector<int> movingPasses;
  for (int n = 1; n <= 85; ++n) {
    std::vector<int> before = tiles();
    pass(loop);
    if (tiles() != before) movingPasses.push_back(n);
    if (n == 1) {
      EXPECT_EQ(highlights().size(), 9u);  // highlighted though it cannot move yet
    }
  }
  EXPECT_EQ(movingPasses, (std::vector<int>{51, 61, 71, 81}));
}

TEST_F(GameLoopTest, SolvingShowsConfettiAtOnceAndAHundredPassesLaterAPressDeals) {
  // One move up of the first column from solved.
  setTiles(solvedTiles);
  quadrivolant::rebuildGhosts();
  quadrivolant::moveBoard(quadrivolant::moveDown, 1, 0);
  LoopState loop;
  loop.cooldown = 0;
  mouse = FakeMouse{100, 30, 1};
  pass(loop);  // the move: its own pass still shows the old tiles
  EXPECT_EQ(tiles(), solvedTiles);
  EXPECT_EQ(loop.solved, 0);
  EXPECT_EQ(countCalls("rotoZoomAnim"), 0);

  pass(loop);  // the next pass shows the solved picture and the confetti together
  EXPECT_EQ(loop.solved, 1);
  EXPECT_EQ(quadrivolant::tapes.total, 51);
  EXPECT_EQ(countCalls("rotoZoomAnim", 17), 51);
  EXPECT_EQ(countCalls("setSmoothing"), 51);
  std::vector<double> tileFrames;
  for (const Call& call : calls) {
    if (call.name == "drawAnim" && call.args[0] == 100) tileFrames.push_back(call.args[1]);
  }
  EXPECT_EQ(tileFrames, (std::vector<double>{0, 1, 2, 3, 4, 5, 6, 7, 8}));

  // Held on the board: nothing happens for 99 passes, the 100th deals.
  mouse = FakeMouse{200, 200, 1};
  for (int n = 1; n <= 99; ++n) {
    pass(loop);
    ASSERT_EQ(countCalls("loadAnim"), 0) << "pass " << n << " after the solve";
    ASSERT_EQ(countCalls("rotoZoomAnim"), 51);
  }
  pass(loop);
  EXPECT_EQ(countCalls("loadAnim"), 1);
  EXPECT_EQ(loop.solved, 0);
  EXPECT_EQ(loop.frameCount, 0);
  EXPECT_EQ(quadrivolant::tapes.total, 0);

  mouse.button1 = 0;
  pass(loop);  // the new deal opens with the static, without confetti
  EXPECT_EQ(countCalls("drawAnim", 300), 44 * 44);
  EXPECT_EQ(countCalls("rotoZoomAnim"), 0);
  EXPECT_LT(quadrivolant::countHomeTiles(), 9);
}

TEST_F(GameLoopTest, APressOnAnArrowThatDealsAlsoMovesTheNewDeal) {
  struct Case {
    FakeMouse nextPass;  // the mouse in the pass after the deal
    int code, C, R;      // the move expected there
  };
  const Case cases[] = {
      {{210, 30, 1}, quadrivolant::moveUp, 2, 0},   // still held on the arrow
      {{380, 250, 0}, quadrivolant::moveUp, 3, 2},  // released over the tiles: the recorded code, this pass's bands
  };
  for (const Case& c : cases) {
    setTiles(solvedTiles);
    quadrivolant::tapes.dimension(0);
    LoopState loop;
    loop.cooldown = 0;
    pass(loop);  // finds the board solved
    ASSERT_EQ(loop.solved, 1);
    for (int n = 1; n <= 99; ++n) pass(loop);
    mouse = FakeMouse{210, 30, 1};  // a press on the second column's top arrow
    pass(loop);
    ASSERT_EQ(countCalls("loadAnim"), 1);
    EXPECT_EQ(loop.pendingMove, quadrivolant::moveUp);

    quadrivolant::rebuildGhosts();
    std::vector<int> dealt = tiles();
    quadrivolant::moveBoard(c.code, c.C, c.R);
    std::vector<int> expected = tiles();
    setTiles(dealt);
    mouse = c.nextPass;
    pass(loop);
    EXPECT_EQ(tiles(), expected);
    EXPECT_EQ(loop.pendingMove, 0);
  }
}

}  // namespace
}  // namespace quadrivolant_test
