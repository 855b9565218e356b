// The path planners: a best-first search over a grid of cell costs from a
// start cell to a goal cell.
//
// Use: setup(parameters), then beginSearch() and search(); result() is the
// goal's cell when a path was found, and parentOf() leads from it back to the
// start. reset() empties the open list and the closed set, after which
// beginSearch() may start another search on the same grid. setup() again
// replaces the grid.
//
// Cells are numbered x + y * W. Every search of one planner on one grid gives
// the same answer: the expansion order is fixed by the key f, the order of
// insertion among equal f (an update or reopening counts as a new insertion)
// and the neighbour order of the search.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>

#include "runtime/pathfind/open_list.h"
#include "runtime/pathfind/planner_parameters.h"
#include "runtime/pathfind/search_node.h"

namespace mvn {

class Planner {
 public:
  Planner() = default;
  Planner(const Planner&) = delete;
  Planner& operator=(const Planner&) = delete;
  virtual ~Planner() = default;

  // Checks the parameters and builds the grid, the nodes and the open list,
  // replacing those of an earlier set-up. Refused (false) when the start or
  // the goal lies outside the map, the start is the goal, or no value of the
  // map is > 0; false with error 7 when the memory for W x H nodes cannot be
  // had. A planner whose set-up failed holds no grid, and its searches
  // finish without a result.
  bool setup(const PlannerParameters& parameters);

  // Starts a search from the start cell, dropping what an earlier search left.
  virtual void beginSearch();
  // Runs the search to its end; true when finished.
  virtual bool search() = 0;
  // Empties the open list and the closed set and gives the nodes back.
  virtual void reset();

  // The state of the last search (of a planner that is set up).
  bool finished() const { return finished_; }
  // Nodes the last search took from the open list.
  std::size_t expansions() const { return expansions_; }
  // The goal's cell when the last search reached it, else -1.
  int result() const { return result_; }
  // The cell the best path into a reached cell comes from, -1 for the start.
  int parentOf(int cell) const { return nodes_[cell].parent; }
  // Whether the last search took a node for cell (opened or closed it).
  bool reached(int cell) const { return nodes_[cell].slot != kNodeUnreached; }
  // The cost of the best path the last search found into a reached cell.
  float costTo(int cell) const { return nodes_[cell].g; }
  int width() const { return parameters_.width; }
  int height() const { return parameters_.height; }

 protected:
  // Whether a grid is set up.
  bool ready() const { return costs_ != nullptr; }
  // Takes the next node of the pool for cell: false when the pool is used up.
  bool takeNode(int cell) {
    if (nodesTaken_ == poolSize_) return false;
    taken_[nodesTaken_++] = cell;
    return true;
  }

  void release();

  struct FreeMemory {
    void operator()(void* block) const { std::free(block); }
  };

  PlannerParameters parameters_;
  std::size_t cellCount_ = 0;
  std::unique_ptr<float[]> costs_;  // the cost grid, kBlockedCost for a blocked cell
  // One node a cell, zeroed (unreached) until a search takes it; fresh
  // zeroed pages cost nothing until the search reaches them.
  std::unique_ptr<SearchNode[], FreeMemory> nodes_;
  OpenList open_;
  // The pool: the cells whose nodes the search took, in order.
  std::unique_ptr<int[]> taken_;
  std::size_t poolSize_ = 0;
  std::size_t nodesTaken_ = 0;
  std::size_t expansions_ = 0;
  bool searched_ = false;  // nodes or open list hold a search's state
  bool finished_ = false;
  int result_ = -1;
};

}  // namespace mvn
