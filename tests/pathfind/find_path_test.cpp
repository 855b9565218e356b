#include "runtime/pathfind/find_path.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "map_text.h"

using mvn::findPath;
using mvn::RtArray;
using pathfind_test::Cells;
using pathfind_test::cellsOf;
using pathfind_test::mapOf;

namespace {

// Values 1 and 3 cost 1 + 1/3 and 2: the detour along the top row (nine
// cheap cells) costs 12, the straight line along the bottom 13 1/3.
const std::vector<std::string> kCheapDetour = {"11111111", "13333331"};
const Cells kDetour = {{0, 1}, {0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0},
                       {5, 0}, {6, 0}, {7, 0}, {7, 1}};
const Cells kStraight = {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}};

struct PathCase {
  const char* what;
  std::vector<std::string> map;
  double weight;
  int startX, startY, goalX, goalY;
  Cells expected;  // empty: no path
};

}  // namespace

TEST(FindPath, FindsThePathsOfSmallMaps) {
  const PathCase cases[] = {
      {"a line", {"111"}, 0.0, 0, 0, 2, 0, {{0, 0}, {1, 0}, {2, 0}}},
      {"a line by distance", {"111"}, 1.0, 0, 0, 2, 0, {{0, 0}, {1, 0}, {2, 0}}},
      {"a line backwards", {"111"}, 0.5, 2, 0, 0, 0, {{2, 0}, {1, 0}, {0, 0}}},
      // Cost alone and the classic A* take the cheapest path; from 0.7 on the
      // step distance wins.
      {"cost alone", kCheapDetour, 0.0, 0, 1, 7, 1, kDetour},
      {"classic A*", kCheapDetour, 0.5, 0, 1, 7, 1, kDetour},
      {"weight 0.7", kCheapDetour, 0.7, 0, 1, 7, 1, kStraight},
      {"distance alone", kCheapDetour, 1.0, 0, 1, 7, 1, kStraight},
      {"weight 5 is 1", kCheapDetour, 5.0, 0, 1, 7, 1, kStraight},
      {"weight -2 is 0", kCheapDetour, -2.0, 0, 1, 7, 1, kDetour},
      {"weight NaN is 0", kCheapDetour, std::nan(""), 0, 1, 7, 1, kDetour},
      {"a wall of zeros", {"101", "101"}, 0.5, 0, 0, 2, 0, {}},
      {"a blocked start is left", {"011"}, 0.5, 0, 0, 2, 0, {{0, 0}, {1, 0}, {2, 0}}},
      {"a blocked goal", {"110"}, 0.5, 0, 0, 2, 0, {}},
      {"around a block", {"111", "101", "111"}, 0.5, 1, 0, 1, 2,
       {{1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}}},
      // Equal paths: the neighbour taken first is expanded first.
      {"right before down", {"11", "11"}, 0.0, 0, 0, 1, 1, {{0, 0}, {1, 0}, {1, 1}}},
      {"right before down by distance", {"11", "11"}, 1.0, 0, 0, 1, 1, {{0, 0}, {1, 0}, {1, 1}}},
      {"up before left", {"111", "111", "111"}, 0.0, 1, 1, 0, 0, {{1, 1}, {1, 0}, {0, 0}}},
      {"left before down", {"111", "111", "111"}, 0.0, 1, 1, 0, 2, {{1, 1}, {0, 1}, {0, 2}}},
      // (2,0) and (0,2) both reach cost 3.5, (2,1) and (1,2) both 5, each
      // pair inserted by two different expansions: the one inserted first is
      // taken first, whatever the neighbour order.
      {"first in, first out", {"112", "201", "111"}, 0.0, 0, 0, 2, 2,
       {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}}},
      // Keys rounded to floats at each operation decide the first step here;
      // computed in doubles and rounded once, the path starts downwards.
      {"float keys", {"65141064", "01590088", "74587940"}, 0.7, 2, 1, 7, 1,
       {{2, 1}, {3, 1}, {3, 2}, {4, 2}, {5, 2}, {6, 2}, {6, 1}, {7, 1}}},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.what);
    RtArray<double> map = mapOf(c.map);
    RtArray<int> path;
    path.dimension(3, 2);
    int n = findPath(map, path, c.weight, c.startX, c.startY, c.goalX, c.goalY);
    EXPECT_EQ(n, static_cast<int>(c.expected.size()));
    EXPECT_EQ(cellsOf(path), c.expected);
    if (c.expected.empty()) {
      EXPECT_EQ(path.total, 0);
      EXPECT_EQ(path.dimensionCount, 0);
    } else {
      EXPECT_EQ(path.size1, n);
      EXPECT_EQ(path.size2, 2);
    }
  }
}

TEST(FindPath, RefusalsLeaveThePathAlone) {
  struct Refusal {
    const char* what;
    std::vector<std::string> map;
    int startX, startY, goalX, goalY;
  } refusals[] = {
      {"start equal to goal", {"111"}, 1, 0, 1, 0},
      {"start left of the map", {"111"}, -1, 0, 2, 0},
      {"start right of the map", {"111"}, 3, 0, 2, 0},
      {"start above the map", {"111"}, 0, -1, 2, 0},
      {"start below the map", {"111"}, 0, 1, 2, 0},
      {"goal left of the map", {"111"}, 0, 0, -1, 0},
      {"goal right of the map", {"111"}, 0, 0, 3, 0},
      {"goal below the map", {"111", "111"}, 0, 0, 2, 2},
      {"no cell above 0", {"000", "000"}, 0, 0, 2, 1},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.what);
    RtArray<double> map = mapOf(r.map);
    RtArray<int> path;
    path.dimension(1, 2);
    path(0, 0) = 7;
    path(0, 1) = 8;
    EXPECT_EQ(findPath(map, path, 0.5, r.startX, r.startY, r.goalX, r.goalY), 0);
    EXPECT_EQ(cellsOf(path), (Cells{{7, 8}}));
  }

  // A map of one dimension has no second extent, a map never dimensioned
  // no cells: every start lies outside.
  RtArray<double> line;
  line.dimension(5);
  for (int i = 0; i < 5; ++i) line(i) = 1;
  RtArray<double> none;
  RtArray<double> path;
  path.dimension(1, 2);
  path(0, 0) = 7;
  EXPECT_EQ(findPath(line, path, 0.5, 0, 0, 4, 0), 0);
  EXPECT_EQ(findPath(none, path, 0.5, 0, 0, 1, 0), 0);
  EXPECT_EQ(path.size1, 1);
  EXPECT_EQ(path(0, 0), 7.0);
}

TEST(FindPath, IntegerAndDoubleArraysGiveTheSamePath) {
  RtArray<double> doubles = mapOf(kCheapDetour);
  RtArray<int> integers = mapOf<int>(kCheapDetour);
  RtArray<int> intPath;
  RtArray<double> doublePath;
  EXPECT_EQ(findPath(doubles, intPath, 0.0, 0, 1, 7, 1), 10);
  EXPECT_EQ(cellsOf(intPath), kDetour);
  EXPECT_EQ(findPath(doubles, doublePath, 0.0, 0, 1, 7, 1), 10);
  EXPECT_EQ(cellsOf(doublePath), kDetour);
  EXPECT_EQ(doublePath.size2, 2);
  EXPECT_EQ(findPath(integers, intPath, 1.0, 0, 1, 7, 1), 8);
  EXPECT_EQ(cellsOf(intPath), kStraight);
  EXPECT_EQ(findPath(integers, doublePath, 1.0, 0, 1, 7, 1), 8);
  EXPECT_EQ(cellsOf(doublePath), kStraight);

  // No path: a double path array is dimensioned to 0 as well.
  RtArray<int> walled = mapOf<int>({"101"});
  EXPECT_EQ(findPath(walled, doublePath, 0.5, 0, 0, 2, 0), 0);
  EXPECT_EQ(doublePath.total, 0);
}

TEST(FindPath, ThePathMayReplaceTheMap) {
  RtArray<int> map = mapOf<int>({"111", "101", "111"});
  EXPECT_EQ(findPath(map, map, 0.0, 0, 0, 0, 2), 3);
  EXPECT_EQ(cellsOf(map), (Cells{{0, 0}, {0, 1}, {0, 2}}));
}

// Values a float cannot hold: NaN blocks its cell, a value beyond the float
// range (infinity too) counts as the largest float, and a positive value too
// small for a float as 0.
TEST(FindPath, ValuesBeyondFloatsKeepTheSearchOrdered) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* what;
    double middle;
    Cells expected;
  } cases[] = {
      {"NaN blocks", nan, {{0, 1}, {0, 0}, {1, 0}, {2, 0}, {2, 1}}},
      {"minus infinity blocks", -inf, {{0, 1}, {0, 0}, {1, 0}, {2, 0}, {2, 1}}},
      {"a tiny value blocks", 1e-60, {{0, 1}, {0, 0}, {1, 0}, {2, 0}, {2, 1}}},
      // Cost 2 against 1 for the other cells: three steps of 1 around it
      // cost more than crossing it.
      {"infinity is the costliest", inf, {{0, 1}, {1, 1}, {2, 1}}},
      {"1e300 is the costliest", 1e300, {{0, 1}, {1, 1}, {2, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RtArray<double> map = mapOf({"111", "111"});
    map(1, 1) = c.middle;
    RtArray<int> path;
    EXPECT_EQ(findPath(map, path, 0.0, 0, 1, 2, 1), static_cast<int>(c.expected.size()));
    EXPECT_EQ(cellsOf(path), c.expected);
  }
}
