// The fast planner against the literal one on thousands of seeded random
// maps: the same results, the same paths, the same search trees with the
// same costs to the bit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "literal_planner.h"
#include "map_text.h"
#include "runtime/pathfind/astar_planner.h"
#include "runtime/pathfind/find_path.h"

using mvn::AStarPlanner;
using mvn::PlannerParameters;
using mvn::RtArray;
using mvn::literal::LiteralPlanner;
using pathfind_test::Cells;
using pathfind_test::cellsOf;

namespace {

struct Trial {
  int width = 0, height = 0;
  std::vector<double> values;  // x + y * width
  double weight = 0.0;
  int startX = 0, startY = 0, goalX = 0, goalY = 0;
  bool diagonalMoves = false;
  bool diagonalCostFactor = true;
  int poolSize = 0, openCapacity = 0;

  std::string describe(int index) const {
    std::ostringstream text;
    text << "trial " << index << ": " << width << " x " << height << ", weight " << weight << ", ("
         << startX << ", " << startY << ") to (" << goalX << ", " << goalY << ")";
    if (diagonalMoves) text << ", diagonal" << (diagonalCostFactor ? " with factor" : "");
    if (poolSize > 0 || openCapacity > 0) text << ", pool " << poolSize << ", open " << openCapacity;
    return text.str();
  }

  PlannerParameters parameters() const {
    PlannerParameters p;
    p.startX = startX;
    p.startY = startY;
    p.goalX = goalX;
    p.goalY = goalY;
    p.diagonalMoves = diagonalMoves;
    p.diagonalCostFactor = diagonalCostFactor;
    p.poolSize = poolSize;
    p.openCapacity = openCapacity;
    p.weight = std::isnan(weight) ? std::nanf("") : static_cast<float>(weight);
    p.width = width;
    p.height = height;
    p.map = values.data();
    return p;
  }
};

class TrialMaker {
 public:
  explicit TrialMaker(std::uint32_t seed) : random_(seed) {}

  // Maps of 1 x 1 to 64 x 64 in four kinds: values 0..9 with fractions,
  // whole values 1..9, only 1 and 2 (ties everywhere), and values floats
  // cannot hold; a random share of the cells blocked.
  Trial make(int index) {
    Trial t;
    t.width = 1 + below(64);
    t.height = 1 + below(64);
    int kind = index % 4;
    int blockedPercent = below(46);
    t.values.resize(static_cast<std::size_t>(t.width) * t.height);
    for (double& v : t.values) {
      if (below(100) < blockedPercent) {
        v = kind == 3 && below(2) == 0 ? -below(5) - 0.5 : 0.0;
        continue;
      }
      switch (kind) {
        case 0: v = (1 + below(900)) / 100.0; break;
        case 1: v = 1 + below(9); break;
        case 2: v = 1 + below(2); break;
        default: v = special(); break;
      }
    }
    // Weights in -1..2, the usual ones exactly, now and then NaN.
    const double usual[] = {0.0, 0.5, 1.0};
    int w = below(10);
    t.weight = w < 3 ? usual[w] : w == 3 ? std::nan("") : -1.0 + below(3001) / 1000.0;
    // Start and goal mostly on the map, now and then just off it or equal.
    t.startX = coordinate(t.width);
    t.startY = coordinate(t.height);
    t.goalX = coordinate(t.width);
    t.goalY = coordinate(t.height);
    if (below(40) == 0) {
      t.goalX = t.startX;
      t.goalY = t.startY;
    }
    return t;
  }

  int below(int n) { return static_cast<int>(random_() % static_cast<std::uint32_t>(n)); }

 private:
  int coordinate(int extent) { return below(30) == 0 ? below(3) == 0 ? -1 : extent : below(extent); }

  double special() {
    switch (below(12)) {
      case 0: return std::numeric_limits<double>::quiet_NaN();
      case 1: return std::numeric_limits<double>::infinity();
      case 2: return 1e300;
      case 3: return 1e-60;
      case 4: return 3.4e38;
      default: return (1 + below(900)) / 100.0;
    }
  }

  std::mt19937 random_;
};

Cells literalPath(const LiteralPlanner& planner) {
  Cells cells;
  for (const auto& cell : planner.path()) cells.push_back(cell);
  return cells;
}

std::uint32_t bitsOf(float f) {
  std::uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return bits;
}

// The search trees of two finished searches over a map width cells wide:
// the same cells reached, each with the same parent and the same cost.
::testing::AssertionResult treesAgree(const AStarPlanner& fast, const LiteralPlanner& literal,
                                      int width, std::size_t cells) {
  std::vector<const mvn::literal::Node*> byCell(cells, nullptr);
  for (int i = 0; i < literal.pool().taken(); ++i) {
    const mvn::literal::Node* node = literal.pool().node(i);
    byCell[node->x + node->y * width] = node;
  }
  for (int cell = 0; cell < static_cast<int>(cells); ++cell) {
    const mvn::literal::Node* node = byCell[cell];
    if (fast.reached(cell) != (node != nullptr)) {
      return ::testing::AssertionFailure() << "cell " << cell << " reached by one planner only";
    }
    if (node == nullptr) continue;
    int parent = node->parent == nullptr ? -1 : node->parent->x + node->parent->y * width;
    if (fast.parentOf(cell) != parent || bitsOf(fast.costTo(cell)) != bitsOf(node->g)) {
      return ::testing::AssertionFailure() << "cell " << cell << ": parent " << fast.parentOf(cell)
                                           << " and " << parent << ", cost " << fast.costTo(cell)
                                           << " and " << node->g;
    }
  }
  return ::testing::AssertionSuccess();
}

// Runs both planners on a trial; false (with the reason added) when their
// paths or their search trees differ. Counts the searches the fast planner
// ended early, after a check that found the goal unreachable.
::testing::AssertionResult plannersAgree(const Trial& t, LiteralPlanner& literal, int& endedEarly) {
  PlannerParameters p = t.parameters();
  AStarPlanner fast;
  bool literalReady = literal.setup(p);
  bool fastReady = fast.setup(p);
  if (literalReady != fastReady) return ::testing::AssertionFailure() << "set-up " << fastReady;
  if (!literalReady) return ::testing::AssertionSuccess();
  // Each planner searches twice: reset() must give the same second search.
  for (int round = 0; round < 2; ++round) {
    long expansions = literal.statistics().expansions;
    literal.beginSearch();
    literal.search();
    fast.beginSearch();
    fast.search();
    if (fast.expansions() > 0 &&
        fast.expansions() < static_cast<std::size_t>(literal.statistics().expansions - expansions)) {
      ++endedEarly;
    }
    Cells fastCells;
    for (int cell = fast.result(); cell >= 0; cell = fast.parentOf(cell)) {
      fastCells.insert(fastCells.begin(), {cell % t.width, cell / t.width});
    }
    if (fastCells != literalPath(literal)) {
      return ::testing::AssertionFailure() << "paths of " << fastCells.size() << " and "
                                           << literalPath(literal).size() << " cells differ";
    }
    // Searches without a result may end early (an unreachable goal) or
    // half done (a pool or open list run out): their trees are their own.
    if (literal.result() != nullptr) {
      ::testing::AssertionResult trees = treesAgree(fast, literal, t.width, t.values.size());
      if (!trees) return trees;
    }
    literal.reset();
    fast.reset();
  }
  return ::testing::AssertionSuccess();
}

}  // namespace

// The command on the four-neighbour search it runs: result and path rows as
// the literal planner gives them, the path untouched when it refuses.
TEST(Differential, FindPathAgreesWithTheLiteralPlanner) {
  TrialMaker maker(20240615);
  LiteralPlanner::Statistics total;
  int refused = 0, found = 0, none = 0;
  for (int i = 0; i < 3000; ++i) {
    Trial t = maker.make(i);
    SCOPED_TRACE(t.describe(i));
    LiteralPlanner literal;
    bool ready = literal.setup(t.parameters());
    Cells expected;
    if (ready) {
      literal.beginSearch();
      literal.search();
      expected = literalPath(literal);
      const auto& s = literal.statistics();
      total.reopened += s.reopened;
      total.updated += s.updated;
      total.equalInserts += s.equalInserts;
    }
    RtArray<double> map;
    map.dimension(t.width, t.height);
    for (std::size_t s = 0; s < t.values.size(); ++s) map.data[s] = t.values[s];
    RtArray<int> path;
    path.dimension(1, 2);
    path(0, 0) = -5;
    path(0, 1) = -6;
    int n = findPath(map, path, t.weight, t.startX, t.startY, t.goalX, t.goalY);
    ASSERT_EQ(n, static_cast<int>(expected.size()));
    if (!ready) {
      ASSERT_EQ(cellsOf(path), (Cells{{-5, -6}}));
      ++refused;
    } else {
      ASSERT_EQ(cellsOf(path), expected);
      ++(n > 0 ? found : none);
    }
  }
  // The trials reach every rule of the search.
  EXPECT_GT(refused, 50);
  EXPECT_GT(found, 1000);
  EXPECT_GT(none, 300);
  EXPECT_GT(total.reopened, 1000);
  EXPECT_GT(total.updated, 1000);
  EXPECT_GT(total.equalInserts, 10000);
}

// The planners on settings the command does not use: diagonal moves with and
// without the cost factor, pools and open lists smaller than the map.
TEST(Differential, PlannersAgreeOnEverySetting) {
  TrialMaker maker(7);
  LiteralPlanner::Statistics total;
  int endedEarly = 0;
  for (int i = 0; i < 1500; ++i) {
    Trial t = maker.make(i);
    t.diagonalMoves = maker.below(3) != 0;
    t.diagonalCostFactor = maker.below(2) == 0;
    if (maker.below(4) == 0) {
      int cells = t.width * t.height;
      t.poolSize = 1 + maker.below(cells);
      t.openCapacity = 1 + maker.below(cells);
    }
    LiteralPlanner literal;
    EXPECT_TRUE(plannersAgree(t, literal, endedEarly)) << t.describe(i);
    const auto& s = literal.statistics();
    total.reopened += s.reopened;
    total.ranOut += s.ranOut;
  }
  EXPECT_GT(total.reopened, 1000);
  EXPECT_GT(total.ranOut, 50);
}

// The same on the command's own settings through the planner interface,
// which also compares the search trees.
TEST(Differential, SearchTreesAgreeToTheBit) {
  TrialMaker maker(99);
  int endedEarly = 0;
  for (int i = 0; i < 1500; ++i) {
    Trial t = maker.make(i);
    LiteralPlanner literal;
    EXPECT_TRUE(plannersAgree(t, literal, endedEarly)) << t.describe(i);
  }
}

// Goals sealed in by blocked cells at weights that make the search reopen
// nodes: the fast planner stops after one look at the grid, with the answer
// the literal planner reaches after all its reopening.
TEST(Differential, SealedGoalsGiveNoPathEitherWay) {
  TrialMaker maker(5);
  int endedEarly = 0;
  for (int i = 0; i < 400; ++i) {
    Trial t = maker.make(i);
    if (t.width < 3 || t.height < 3 || t.width * t.height > 24 * 24) continue;
    t.diagonalMoves = maker.below(2) == 0;
    t.weight = 0.6 + maker.below(401) / 1000.0;
    t.goalX = 1 + maker.below(t.width - 2);
    t.goalY = 1 + maker.below(t.height - 2);
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        double& value = t.values[(t.goalX + dx) + (t.goalY + dy) * t.width];
        value = dx != 0 || dy != 0 ? 0.0 : 5.0;
      }
    }
    LiteralPlanner literal;
    EXPECT_TRUE(plannersAgree(t, literal, endedEarly)) << t.describe(i);
  }
  EXPECT_GT(endedEarly, 20);
}

// A wall across the map with one gap at its right end (diagonal when
// diagonal moves are on, so that only they get through), the start in the
// top left corner and the goal below the middle of the wall: by the step
// distance alone the search reopens the region before the wall many times
// over, takes more nodes than the grid has cells, finds the goal reachable
// and goes on to the literal planner's path.
TEST(Differential, LongSearchesPastAWallFindTheSamePath) {
  TrialMaker maker(11);
  int longSearches = 0;
  for (int i = 0; i < 40; ++i) {
    Trial t;
    t.width = t.height = 32 + maker.below(17);
    t.values.resize(static_cast<std::size_t>(t.width) * t.height);
    for (double& v : t.values) v = (1 + maker.below(900)) / 100.0;
    t.diagonalMoves = i % 2 == 1;
    int wall = t.height / 2;
    for (int x = 0; x < t.width; ++x) {
      t.values[x + wall * t.width] = 0.0;
      t.values[x + (wall + 1) * t.width] = 0.0;
    }
    int gap = t.width - 1;
    t.values[gap - (t.diagonalMoves ? 1 : 0) + wall * t.width] = 5.0;
    t.values[gap + (wall + 1) * t.width] = 5.0;
    t.weight = 1.0;
    t.goalX = t.width / 2;
    t.goalY = t.height - 1 - maker.below(t.height - wall - 2);
    int endedEarly = 0;
    LiteralPlanner literal;
    EXPECT_TRUE(plannersAgree(t, literal, endedEarly)) << t.describe(i);
    EXPECT_NE(literal.result(), nullptr) << t.describe(i);
    AStarPlanner fast;
    fast.setup(t.parameters());
    fast.beginSearch();
    fast.search();
    if (fast.expansions() > t.values.size()) ++longSearches;
  }
  EXPECT_GT(longSearches, 30);
}
