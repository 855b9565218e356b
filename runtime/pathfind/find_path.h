// The path-finding command of programs.
#pragma once

#include "runtime/values/rt_array.h"

namespace mvn {

// Searches a cheapest path over map (W x H cell values, cell (x, y) at
// map[x][y]; values <= 0 block a cell) from (startX, startY) to
// (goalX, goalY), four neighbours a step, with the estimate's weight held to
// 0..1 (0: cost alone, 0.5: classic A*, 1: step distance alone).
// Returns the number of cells of the path and dimensions path to n by 2:
// path[i][0], path[i][1] are x and y of cell i, row 0 the start, row n - 1
// the goal. With no path the result is 0 and path is dimensioned to 0.
// Start or goal outside the map, the start equal to the goal, or a map
// without a value > 0: the result is 0 and path is left as it was.
int findPath(const RtArray<double>& map, RtArray<int>& path, double weight, int startX, int startY,
             int goalX, int goalY);
int findPath(const RtArray<double>& map, RtArray<double>& path, double weight, int startX,
             int startY, int goalX, int goalY);
int findPath(const RtArray<int>& map, RtArray<int>& path, double weight, int startX, int startY,
             int goalX, int goalY);
int findPath(const RtArray<int>& map, RtArray<double>& path, double weight, int startX, int startY,
             int goalX, int goalY);

}  // namespace mvn
