#include "runtime/pathfind/find_path.h"

#include <cstddef>
#include <memory>
#include <new>

#include "runtime/pathfind/astar_planner.h"
#include "runtime/values/error_trace.h"
#include "runtime/values/errors.h"
#include "runtime/pathfind/cost_grid.h"

namespace mvn {

namespace {

// The weight as the planner takes it: held to 0..1, NaN as 0.
float heldWeight(double weight) {
  return !(weight > 0.0) ? 0.0f : weight > 1.0 ? 1.0f : static_cast<float>(weight);
}

// Sets the planner up and runs the search. Returns the number of cells of
// the path found (0 for none), or -1 when the set-up refused.
int searchPath(AStarPlanner& planner, const double* values, int width, int height, double weight,
               int startX, int startY, int goalX, int goalY) {
  PlannerParameters p;
  p.startX = startX;
  p.startY = startY;
  p.goalX = goalX;
  p.goalY = goalY;
  p.diagonalCostFactor = true;
  p.diagonalMoves = false;
  p.weight = heldWeight(weight);
  p.width = width;
  p.height = height;
  p.map = values;
  if (!planner.setup(p)) return -1;
  planner.beginSearch();
  planner.search();
  int n = 0;
  for (int cell = planner.result(); cell >= 0; cell = planner.parentOf(cell)) ++n;
  return n;
}

// Rows n - 1 down to 0 of path from the goal back to the start, every write
// tested.
void writePath(const AStarPlanner& planner, int n, RtArray<int>& path) {
  if (!path.dimension(n, 2)) return;
  int cell = planner.result();
  for (int i = n - 1; i >= 0; --i) {
    path(i, 0) = cell % planner.width();
    path(i, 1) = cell / planner.width();
    cell = planner.parentOf(cell);
  }
}

// A double path is filled through a temporary integer array.
void writePath(const AStarPlanner& planner, int n, RtArray<double>& path) {
  RtArray<int> rows;
  writePath(planner, n, rows);
  if (!path.dimension(n, 2)) return;
  for (int i = 0; i < n; ++i) {
    path(i, 0) = rows(i, 0);
    path(i, 1) = rows(i, 1);
  }
}

// Why a search was refused, for the error trace.
const char* refusal(const double* values, int width, int height, int startX, int startY,
                    int goalX, int goalY) {
  auto inside = [&](int x, int y) { return x >= 0 && y >= 0 && x < width && y < height; };
  if (!values || width < 1 || height < 1) return "refused: the map has no cells";
  if (!inside(startX, startY)) return "refused: the start lies outside the map";
  if (!inside(goalX, goalY)) return "refused: the goal lies outside the map";
  if (startX == goalX && startY == goalY) return "refused: the start is the goal";
  if (largestMapValue(values, std::size_t(width) * std::size_t(height)) <= 0)
    return "refused: no cell of the map is passable (every value is 0 or less)";
  return "refused: the search could not be set up";
}

template <typename Path>
int findPathIn(const double* values, int width, int height, Path& path, double weight, int startX,
               int startY, int goalX, int goalY) {
  AStarPlanner planner;
  int n = searchPath(planner, values, width, height, weight, startX, startY, goalX, goalY);
  if (n < 0) {
    if (tracingErrors()) {
      const std::string map = "map " + std::to_string(width) + "x" + std::to_string(height);
      std::string call = traceCall("findPath", 0, "path", weight, startX, startY, goalX, goalY);
      call.replace(call.find('(') + 1, 1, map);  // the map as its size
      traceRefusal(call.replace(call.find("\"path\""), 6, "path"),
                   refusal(values, width, height, startX, startY, goalX, goalY));
    }
    return 0;
  }
  if (n == 0) {
    path.dimension(0);
    return 0;
  }
  writePath(planner, n, path);
  planner.reset();
  return n;
}

// An integer map is taken as doubles.
template <typename Path>
int findPathInIntegers(const RtArray<int>& map, Path& path, double weight, int startX, int startY,
                       int goalX, int goalY) {
  std::unique_ptr<double[]> values;
  std::size_t count = static_cast<std::size_t>(map.size1) * static_cast<std::size_t>(map.size2);
  if (count > 0) {
    values.reset(new (std::nothrow) double[count]);
    if (!values) {
      failWith(kErrorOutOfMemory, "out of memory for the map's costs", "findPath", int64_t(count));
      return 0;
    }
    for (std::size_t i = 0; i < count; ++i) values[i] = map.data[i];
  }
  return findPathIn(values.get(), map.size1, map.size2, path, weight, startX, startY, goalX, goalY);
}

}  // namespace

int findPath(const RtArray<double>& map, RtArray<int>& path, double weight, int startX, int startY,
             int goalX, int goalY) {
  return findPathIn(map.data, map.size1, map.size2, path, weight, startX, startY, goalX, goalY);
}

int findPath(const RtArray<double>& map, RtArray<double>& path, double weight, int startX,
             int startY, int goalX, int goalY) {
  return findPathIn(map.data, map.size1, map.size2, path, weight, startX, startY, goalX, goalY);
}

int findPath(const RtArray<int>& map, RtArray<int>& path, double weight, int startX, int startY,
             int goalX, int goalY) {
  return findPathInIntegers(map, path, weight, startX, startY, goalX, goalY);
}

int findPath(const RtArray<int>& map, RtArray<double>& path, double weight, int startX, int startY,
             int goalX, int goalY) {
  return findPathInIntegers(map, path, weight, startX, startY, goalX, goalY);
}

}  // namespace mvn
