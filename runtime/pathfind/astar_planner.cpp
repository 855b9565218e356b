#include "runtime/pathfind/astar_planner.h"

#include <cfloat>
#include <cstdlib>

#include "runtime/pathfind/cost_grid.h"
#include "runtime/pathfind/reachability.h"

// Path lengths and keys are exact 32-bit float sums and products: nothing is
// kept in wider registers, and no multiply-add is fused (ISO mode of GCC;
// the pragma for clang).
static_assert(FLT_EVAL_METHOD == 0, "float arithmetic must round every operation to float");
#if defined(__clang__)
#pragma STDC FP_CONTRACT OFF
#endif

namespace mvn {

void AStarPlanner::beginSearch() {
  Planner::beginSearch();
  if (!ready()) return;
  const PlannerParameters& p = parameters_;
  int start = p.startX + p.startY * p.width;
  takeNode(start);
  SearchNode& node = nodes_[start];
  node.parent = -1;
  node.g = 0.0f;
  open_.insert(start, 0.0f);
}

bool AStarPlanner::search() {
  finished_ = true;
  if (!ready() || !searched_) return true;
  const PlannerParameters& p = parameters_;
  const int width = p.width;
  const int goal = p.goalX + p.goalY * width;
  const int right = width - 1;
  const int bottom = p.height - 1;
  // A goal that cannot be reached gives no result however the search goes:
  // a blocked goal is never entered, and a search that has taken as many
  // nodes as the grid has cells (reopening nodes again and again, as
  // weights above 0.5 make it) makes sure once that the goal can be reached
  // before it goes on.
  if (costs_[goal] == kBlockedCost) return true;
  bool reachabilityKnown = false;
  bool ranOut = false;
  while (!open_.empty() && !ranOut) {
    if (expansions_ >= cellCount_ && !reachabilityKnown) {
      reachabilityKnown = true;
      int start = p.startX + p.startY * width;
      if (reachability(costs_.get(), width, p.height, p.diagonalMoves, start, goal) ==
          Reachability::Unreachable) {
        return true;
      }
    }
    int current = open_.popFront();
    ++expansions_;
    if (current == goal) {
      nodes_[current].slot = kNodeClosed;
      result_ = current;
      return true;
    }
    int x = current % width;
    int y = current / width;
    if (p.diagonalMoves) {
      ranOut = (y > 0 && x > 0 && !expand(current, x - 1, y - 1, Step::Diagonal)) ||
               (y > 0 && !expand(current, x, y - 1, Step::Straight)) ||
               (y > 0 && x < right && !expand(current, x + 1, y - 1, Step::Diagonal)) ||
               (x < right && !expand(current, x + 1, y, Step::Straight)) ||
               (x > 0 && !expand(current, x - 1, y, Step::Straight)) ||
               (y < bottom && x > 0 && !expand(current, x - 1, y + 1, Step::Diagonal)) ||
               (y < bottom && !expand(current, x, y + 1, Step::Straight)) ||
               (y < bottom && x < right && !expand(current, x + 1, y + 1, Step::Diagonal));
    } else {
      ranOut = (y > 0 && !expand(current, x, y - 1, Step::Straight)) ||
               (x < right && !expand(current, x + 1, y, Step::Straight)) ||
               (x > 0 && !expand(current, x - 1, y, Step::Straight)) ||
               (y < bottom && !expand(current, x, y + 1, Step::Straight));
    }
    nodes_[current].slot = kNodeClosed;
  }
  return true;
}

bool AStarPlanner::expand(int current, int x, int y, Step step) {
  const PlannerParameters& p = parameters_;
  int cell = x + y * p.width;
  float c = costs_[cell];
  if (c == kBlockedCost) return true;
  SearchNode& next = nodes_[cell];
  float g = nodes_[current].g;
  float g2 = step == Step::Diagonal && p.diagonalCostFactor ? g + c * kDiagonalCostFactor : g + c;
  int h = std::abs(p.goalX - x) + std::abs(p.goalY - y);
  float f2 = g2 + p.weight * (static_cast<float>(h) - g2);

  if (next.slot > 0) {
    // Open: a smaller g' updates it, as a new insertion.
    if (g2 < next.g) {
      next.parent = current;
      next.g = g2;
      open_.update(next.slot, f2);
    }
    return true;
  }
  if (next.slot == kNodeClosed) {
    if (!(g2 < next.g)) return true;  // reopened only for a smaller g'
  } else if (!takeNode(cell)) {
    return false;
  }
  if (open_.full()) return false;
  next.parent = current;
  next.g = g2;
  open_.insert(cell, f2);
  return true;
}

}  // namespace mvn
