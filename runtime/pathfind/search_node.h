// What the planner keeps for one cell of the grid.
#pragma once

namespace mvn {

// Open-list positions of a node are >= 0; these mark the other states.
inline constexpr int kNodeUnreached = -1;  // not yet taken by the search
inline constexpr int kNodeClosed = -2;     // in the closed set

struct SearchNode {
  float cost;   // the cell's cost, kBlockedCost when blocked
  float g;      // cost of the best path found so far from the start
  int parent;   // cell index (x + y * W) of the previous cell; -1 for the start
  int slot;     // position in the open list, kNodeUnreached or kNodeClosed
};

}  // namespace mvn
