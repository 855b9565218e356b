// The best-first search with a weighted estimate.
//
// Each step takes the open node of smallest f (of equal f the one inserted
// first) and expands its neighbours in the order up, right, left, down, with
// the diagonal ones when diagonal moves are on: (x-1, y-1), (x, y-1),
// (x+1, y-1), (x+1, y), (x-1, y), (x-1, y+1), (x, y+1), (x+1, y+1). Blocked
// cells and cells outside the grid are skipped. For a neighbour of cost c,
// in 32-bit float arithmetic with every operation rounded:
//   g' = g + c (g + c * 1.4142137 for a diagonal step with the cost factor)
//   h  = |goal x - x'| + |goal y - y'| (an integer)
//   f' = g' + w * (h - g')
// so that w = 0 orders by cost alone, w = 1 by the step distance alone and
// w = 0.5 as the classic A* search. A closed neighbour reached with a smaller
// g' is reopened; an open one gets the smaller g' and f' and counts as newly
// inserted; a new one takes a node of the pool. The search ends when the
// goal is taken (the result) or the open list runs empty (no result); also,
// without a result, when the pool or the open list of a planner set up
// smaller than W x H runs out.
//
// A goal that cannot be reached ends the search early with the same answer
// (no result): at once when the goal cell is blocked, otherwise once the
// search has taken as many nodes as the grid has cells. Above w = 0.5 the
// estimate can make the search reopen the nodes of a region over and over,
// each time a slightly cheaper way into it turns up; without this end, a
// sealed goal on a large map at weight 1 can take hours. (Searches whose goal
// can be reached keep that cost: it decides their path.)
#pragma once

#include "runtime/pathfind/planner.h"

namespace mvn {

class AStarPlanner : public Planner {
 public:
  void beginSearch() override;
  bool search() override;

 private:
  enum class Step { Straight, Diagonal };
  // Looks at neighbour (x, y) of the node of cell current; false when the
  // pool or the open list ran out.
  bool expand(int current, int x, int y, Step step);
};

}  // namespace mvn
