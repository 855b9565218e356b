// The deal, the rotations and the solved test.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <queue>
#include <string>
#include <unordered_set>

#include "game/board.h"
#include "runtime/values/random.h"
#include "tests/game/recorder.h"

namespace quadrivolant_test {
namespace {

using quadrivolant::board;
using Arrangement = std::array<int, 9>;  // tiles in reading order

// The twelve rotations on a plain arrangement, written independently of the
// board's ghost cells: column c up/down, row r left/right.
Arrangement rotate(Arrangement a, int code, int index) {
  auto at = [&](int x, int y) -> int& { return a[3 * y + x]; };
  Arrangement before = a;
  auto was = [&](int x, int y) { return before[3 * y + x]; };
  for (int i = 0; i < 3; ++i) {
    switch (code) {
      case quadrivolant::moveUp: at(index, i) = was(index, (i + 1) % 3); break;
      case quadrivolant::moveDown: at(index, i) = was(index, (i + 2) % 3); break;
      case quadrivolant::moveLeft: at(i, index) = was((i + 1) % 3, index); break;
      case quadrivolant::moveRight: at(i, index) = was((i + 2) % 3, index); break;
    }
  }
  return a;
}

bool isOdd(const Arrangement& a) {
  int inversions = 0;
  for (int i = 0; i < 9; ++i) {
    for (int j = i + 1; j < 9; ++j) inversions += a[i] > a[j];
  }
  return inversions % 2 == 1;
}

Arrangement boardTiles() {
  Arrangement a{};
  for (int y = 1; y <= 3; ++y) {
    for (int x = 1; x <= 3; ++x) a[3 * (y - 1) + (x - 1)] = board(x, y);
  }
  return a;
}

// The deal recomputed from the same seed: the picture draw, then four picks
// per exchange, each 1..3, and the parity exchange of the first two tiles.
struct ExpectedDeal {
  int picture;
  Arrangement tiles;
  bool neededParityExchange;
};

ExpectedDeal expectedDeal(uint32_t seed) {
  mvn::seedRandom(seed);
  ExpectedDeal deal{};
  deal.picture = mvn::rnd(14) + 1;
  for (int i = 0; i < 9; ++i) deal.tiles[i] = i;
  for (int i = 0; i < 101; ++i) {
    int x1 = mvn::rnd(2), y1 = mvn::rnd(2), x2 = mvn::rnd(2), y2 = mvn::rnd(2);
    std::swap(deal.tiles[3 * y1 + x1], deal.tiles[3 * y2 + x2]);
  }
  deal.neededParityExchange = isOdd(deal.tiles);
  if (deal.neededParityExchange) std::swap(deal.tiles[0], deal.tiles[1]);
  return deal;
}

using BoardTest = GameTest;

TEST_F(BoardTest, DealMatchesAnIndependentComputationOfTheDraws) {
  int evenDeals = 0, mendedDeals = 0;
  for (uint32_t seed : {1u, 2u, 3u, 77u, 4096u, 123456789u}) {
    ExpectedDeal expected = expectedDeal(seed);
    calls.clear();
    mvn::seedRandom(seed);
    quadrivolant::dealPicture();
    EXPECT_EQ(boardTiles(), expected.tiles) << "seed " << seed;
    ASSERT_EQ(countCalls("loadAnim"), 1);
    EXPECT_EQ(calls[0].text, std::to_string(expected.picture) + ".jpg");
    EXPECT_EQ(calls[0].args, (std::vector<double>{100, 120, 120}));
    // The deal draws exactly 405 numbers: the next draw is the 406th.
    uint32_t next = mvn::nextRandom();
    expectedDeal(seed);
    EXPECT_EQ(next, mvn::nextRandom());
    (expected.neededParityExchange ? mendedDeals : evenDeals) += 1;
  }
  EXPECT_GT(mendedDeals, 0);
  EXPECT_GT(evenDeals, 0);
}

TEST_F(BoardTest, EveryDealIsSolvable) {
  // The rotations reach every even arrangement and nothing else...
  Arrangement solved{0, 1, 2, 3, 4, 5, 6, 7, 8};
  auto key = [](const Arrangement& a) {
    int k = 0;
    for (int t : a) k = k * 9 + t;
    return k;
  };
  std::unordered_set<int> reached{key(solved)};
  std::queue<Arrangement> open;
  open.push(solved);
  while (!open.empty()) {
    Arrangement a = open.front();
    open.pop();
    for (int code = 4; code <= 7; ++code) {
      for (int index = 0; index < 3; ++index) {
        Arrangement b = rotate(a, code, index);
        if (reached.insert(key(b)).second) open.push(b);
      }
    }
  }
  EXPECT_EQ(reached.size(), 362880u / 2);
  // ... and every deal is even, so it is among them.
  int odd = 0;
  for (uint32_t seed = 1; seed <= 400; ++seed) {
    mvn::seedRandom(seed);
    quadrivolant::dealPicture();
    odd += quadrivolant::boardIsOdd();
    EXPECT_TRUE(reached.count(key(boardTiles()))) << "seed " << seed;
  }
  EXPECT_EQ(odd, 0);
}

TEST_F(BoardTest, RotationsWrapThroughTheGhostCellsAndUndoEachOther) {
  const Arrangement start{4, 0, 7, 2, 8, 1, 6, 3, 5};
  struct Case {
    int code, inverse;
  };
  for (Case c : {Case{quadrivolant::moveUp, quadrivolant::moveDown}, Case{quadrivolant::moveDown, quadrivolant::moveUp},
                 Case{quadrivolant::moveLeft, quadrivolant::moveRight},
                 Case{quadrivolant::moveRight, quadrivolant::moveLeft}}) {
    for (int index = 1; index <= 3; ++index) {
      SCOPED_TRACE("move " + std::to_string(c.code) + " at " + std::to_string(index));
      setTiles({start.begin(), start.end()});
      quadrivolant::rebuildGhosts();
      quadrivolant::moveBoard(c.code, index, index);
      EXPECT_EQ(boardTiles(), rotate(start, c.code, index - 1));
      quadrivolant::rebuildGhosts();
      quadrivolant::moveBoard(c.inverse, index, index);
      EXPECT_EQ(boardTiles(), start);
    }
  }
}

TEST_F(BoardTest, MovesOutsideTheGridTouchNoTile) {
  // A move carried into a new deal uses the pointer's bands of that pass,
  // which may lie outside the grid: only ghost and unused cells change.
  const Arrangement start{4, 0, 7, 2, 8, 1, 6, 3, 5};
  for (int code = 4; code <= 7; ++code) {
    for (int index : {0, 4, 5, 7}) {
      setTiles({start.begin(), start.end()});
      quadrivolant::rebuildGhosts();
      quadrivolant::moveBoard(code, index, std::min(index, 4));
      EXPECT_EQ(boardTiles(), start) << "move " << code << " at " << index;
    }
  }
}

TEST_F(BoardTest, SolvedTestCountsTilesAtHome) {
  setTiles({0, 1, 2, 3, 4, 5, 6, 7, 8});
  EXPECT_EQ(quadrivolant::countHomeTiles(), 9);
  setTiles({1, 0, 2, 3, 4, 5, 6, 7, 8});
  EXPECT_EQ(quadrivolant::countHomeTiles(), 7);
}

}  // namespace
}  // namespace quadrivolant_test
