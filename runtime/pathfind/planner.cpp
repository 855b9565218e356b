#include "runtime/pathfind/planner.h"

#include <climits>
#include <new>

#include "runtime/pathfind/cost_grid.h"
#include "runtime/values/error_trace.h"
#include "runtime/values/errors.h"

namespace mvn {

namespace {

bool inside(int v, int extent) { return v >= 0 && v < extent; }

// A size parameter: 0 or less means every cell.
std::size_t sizeOrCells(int size, std::size_t cells) {
  return size > 0 && static_cast<std::size_t>(size) < cells ? static_cast<std::size_t>(size) : cells;
}

}  // namespace

bool Planner::setup(const PlannerParameters& parameters) {
  const PlannerParameters p = parameters;
  release();
  if (p.map == nullptr || p.width <= 0 || p.height <= 0) return false;
  if (!inside(p.startX, p.width) || !inside(p.goalX, p.width)) return false;
  if (!inside(p.startY, p.height) || !inside(p.goalY, p.height)) return false;
  if (p.startX == p.goalX && p.startY == p.goalY) return false;
  // Cells and open-list slots are numbered with ints.
  std::size_t cells = static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height);
  if (cells >= static_cast<std::size_t>(INT_MAX)) {
    failWith(kErrorOutOfMemory, "out of memory: more cells than a search can number", "findPath", int64_t(cells));
    return false;
  }
  float largest = largestMapValue(p.map, cells);
  if (!(largest > 0.0f)) return false;

  poolSize_ = sizeOrCells(p.poolSize, cells);
  std::size_t capacity = sizeOrCells(p.openCapacity, cells);
  costs_.reset(new (std::nothrow) float[cells]);
  nodes_.reset(static_cast<SearchNode*>(std::calloc(cells, sizeof(SearchNode))));
  taken_.reset(new (std::nothrow) int[poolSize_]);
  if (!costs_ || !nodes_ || !taken_ || !open_.allocate(static_cast<int>(capacity), nodes_.get())) {
    release();
    failWith(kErrorOutOfMemory, "out of memory for the search", "findPath", int64_t(cells));
    return false;
  }
  fillCosts(p.map, cells, largest, costs_.get());
  parameters_ = p;
  float w = p.weight;
  parameters_.weight = !(w > 0.0f) ? 0.0f : w > 1.0f ? 1.0f : w;
  parameters_.map = nullptr;  // the grid holds all the search needs
  cellCount_ = cells;
  nodesTaken_ = 0;
  searched_ = false;
  finished_ = false;
  result_ = -1;
  return true;
}

void Planner::release() {
  open_.allocate(0, nullptr);
  costs_.reset();
  nodes_.reset();
  taken_.reset();
  parameters_ = PlannerParameters();
  cellCount_ = poolSize_ = nodesTaken_ = expansions_ = 0;
  searched_ = finished_ = false;
  result_ = -1;
}

void Planner::beginSearch() {
  if (searched_) reset();
  searched_ = true;
  finished_ = false;
  result_ = -1;
  expansions_ = 0;
}

void Planner::reset() {
  for (std::size_t i = 0; i < nodesTaken_; ++i) nodes_[taken_[i]] = SearchNode{};
  open_.clear();
  nodesTaken_ = 0;
  searched_ = false;
}

}  // namespace mvn
