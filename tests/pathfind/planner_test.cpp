#include "runtime/pathfind/astar_planner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "map_text.h"
#include "runtime/values/errors.h"

using mvn::AStarPlanner;
using mvn::PlannerParameters;
using pathfind_test::Cells;

namespace {

// A map's values with the parameters of a search over it.
struct Search {
  Search(const std::vector<std::string>& rows, int startX, int startY, int goalX, int goalY) {
    for (const std::string& row : rows) {
      for (char c : row) values.push_back(c - '0');
    }
    p.width = static_cast<int>(rows.front().size());
    p.height = static_cast<int>(rows.size());
    p.startX = startX;
    p.startY = startY;
    p.goalX = goalX;
    p.goalY = goalY;
    p.map = values.data();
  }
  std::vector<double> values;
  PlannerParameters p;
};

Cells pathOf(const AStarPlanner& planner) {
  Cells cells;
  for (int cell = planner.result(); cell >= 0; cell = planner.parentOf(cell)) {
    cells.insert(cells.begin(), {cell % planner.width(), cell / planner.width()});
  }
  return cells;
}

Cells run(AStarPlanner& planner) {
  planner.beginSearch();
  EXPECT_TRUE(planner.search());
  EXPECT_TRUE(planner.finished());
  return pathOf(planner);
}

}  // namespace

TEST(Planner, SearchesAgainAfterResetOrWithout) {
  Search s({"1111", "1001", "1111"}, 0, 1, 3, 1);
  s.p.weight = 0.5f;
  AStarPlanner planner;
  ASSERT_TRUE(planner.setup(s.p));
  Cells first = run(planner);
  EXPECT_EQ(first, (Cells{{0, 1}, {0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}}));
  EXPECT_FLOAT_EQ(planner.costTo(planner.result()), 10.0f);
  planner.reset();
  EXPECT_EQ(run(planner), first);
  EXPECT_EQ(run(planner), first);  // beginSearch drops the last search itself
}

TEST(Planner, AFailedSetupLeavesNoGrid) {
  Search s({"111"}, 0, 0, 2, 0);
  AStarPlanner planner;
  ASSERT_TRUE(planner.setup(s.p));
  s.p.goalX = 3;
  EXPECT_FALSE(planner.setup(s.p));
  EXPECT_EQ(run(planner), Cells{});
  EXPECT_EQ(planner.result(), -1);

  AStarPlanner never;
  EXPECT_TRUE(never.search());
  EXPECT_EQ(never.result(), -1);

  PlannerParameters empty;
  empty.goalX = 1;
  EXPECT_FALSE(planner.setup(empty));  // no map
}

// Cells numbered with ints: a grid of 2^31 cells is refused as out of
// memory before its values are read.
TEST(Planner, RefusesAGridBeyondIntCellNumbers) {
  double value = 1.0;
  PlannerParameters p;
  p.width = 65536;
  p.height = 32768;
  p.goalX = 1;
  p.map = &value;
  mvn::clearErrorRegisters();
  AStarPlanner planner;
  EXPECT_FALSE(planner.setup(p));
  EXPECT_EQ(mvn::errorCode, mvn::kErrorOutOfMemory);
  mvn::clearErrorRegisters();
}

TEST(Planner, DiagonalMoves) {
  struct Case {
    const char* what;
    std::vector<std::string> map;
    bool costFactor;
    Cells expected;
    float cost;
  } cases[] = {
      {"across open ground", {"111", "111", "111"}, true, {{0, 0}, {1, 1}, {2, 2}}, 2.0f * 2.0f * 1.4142137f},
      {"no corner test", {"101", "010", "101"}, true, {{0, 0}, {1, 1}, {2, 2}}, 2.0f * 2.0f * 1.4142137f},
      {"a diagonal step costs the cell without the factor", {"111", "111", "111"}, false,
       {{0, 0}, {1, 1}, {2, 2}}, 4.0f},
      // Cells of 1 cost 1 + 1/9, the middle 2: with the factor the way over
      // the middle costs 4.40 against 3.79 around it, without 3.11 against
      // 3.33.
      {"the factor leads around", {"111", "191", "111"}, true, {{0, 0}, {1, 0}, {2, 1}, {2, 2}}, 0.0f},
      {"no factor leads across", {"111", "191", "111"}, false, {{0, 0}, {1, 1}, {2, 2}}, 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Search s(c.map, 0, 0, 2, 2);
    s.p.diagonalMoves = true;
    s.p.diagonalCostFactor = c.costFactor;
    AStarPlanner planner;
    ASSERT_TRUE(planner.setup(s.p));
    EXPECT_EQ(run(planner), c.expected);
    if (c.cost > 0.0f) {
      EXPECT_EQ(planner.costTo(planner.result()), c.cost);
    }
  }
}

// A pool or open list smaller than the map ends a search that needs more
// without a result.
TEST(Planner, SmallPoolsAndOpenListsRunOut) {
  struct Case {
    const char* what;
    int poolSize, openCapacity;
    bool found;
  } cases[] = {
      {"pool of every cell", 0, 0, true},
      {"pool of the path's cells", 3, 0, true},
      {"pool one node short", 2, 0, false},
      {"open list of one", 0, 1, true},  // a line never holds two open nodes
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Search s({"111"}, 0, 0, 2, 0);
    s.p.poolSize = c.poolSize;
    s.p.openCapacity = c.openCapacity;
    AStarPlanner planner;
    ASSERT_TRUE(planner.setup(s.p));
    EXPECT_EQ(run(planner).size(), c.found ? 3u : 0u);
  }
  // From the middle of a plus the first expansion opens four nodes.
  Search plus({"010", "111", "010"}, 1, 1, 2, 1);
  plus.p.openCapacity = 3;
  AStarPlanner planner;
  ASSERT_TRUE(planner.setup(plus.p));
  EXPECT_EQ(run(planner), Cells{});
  plus.p.openCapacity = 4;
  ASSERT_TRUE(planner.setup(plus.p));
  EXPECT_EQ(run(planner), (Cells{{1, 1}, {2, 1}}));
}
