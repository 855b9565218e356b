// What the planner keeps for one cell of the grid once a search reaches it.
#pragma once

namespace mvn {

// Open-list positions of a node are 1 and up; these mark the other states.
// A node of all zero bytes is unreached, so fresh zeroed memory needs no
// preparation.
inline constexpr int kNodeUnreached = 0;  // not taken by the search
inline constexpr int kNodeClosed = -1;    // in the closed set

struct SearchNode {
  float g;     // cost of the best path found so far from the start
  int parent;  // cell index (x + y * W) of the previous cell; -1 for the start
  int slot;    // position in the open list, kNodeUnreached or kNodeClosed
};

}  // namespace mvn
