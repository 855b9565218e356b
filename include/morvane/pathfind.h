/// @file
/// Path search over a grid of cell costs.
#pragma once

#include "morvane/arrays.h"

namespace mvn {

/// Searches a cheapest path over a map of cells, four neighbours a step.
/// @param map W x H cell values, cell (x, y) at map(x, y): higher values cost
///        more to cross; 0 or less (or not a number) blocks the cell
/// @param[out] path dimensioned to n by 2: path(i, 0) and path(i, 1) are x and
///        y of cell i, row 0 the start and row n - 1 the goal; dimensioned to 0
///        when there is no path
/// @param weight the estimate's weight, held to 0..1: 0 cost alone (exact,
///        slowest), 0.5 the classic best-first search, 1 step distance alone
/// @param startX start cell x, 0 to W - 1 @param startY start cell y, 0 to H - 1
/// @param goalX goal cell x @param goalY goal cell y
/// @return the number of cells of the path, start and goal included; 0 when
///         there is none. Start or goal outside the map, the start equal to
///         the goal, or a map without a passable cell: 0 with path left as it was.
int findPath(const RtArray<double>& map, RtArray<int>& path, double weight, int startX, int startY,
             int goalX, int goalY);
/// findPath() with the path as numbers.
/// @param map cell values @param[out] path the cells @param weight the estimate's weight
/// @param startX start x @param startY start y @param goalX goal x @param goalY goal y
/// @return the number of cells of the path
int findPath(const RtArray<double>& map, RtArray<double>& path, double weight, int startX,
             int startY, int goalX, int goalY);
/// findPath() over a map of integers.
/// @param map cell values @param[out] path the cells @param weight the estimate's weight
/// @param startX start x @param startY start y @param goalX goal x @param goalY goal y
/// @return the number of cells of the path
int findPath(const RtArray<int>& map, RtArray<int>& path, double weight, int startX, int startY,
             int goalX, int goalY);
/// findPath() over a map of integers, the path as numbers.
/// @param map cell values @param[out] path the cells @param weight the estimate's weight
/// @param startX start x @param startY start y @param goalX goal x @param goalY goal y
/// @return the number of cells of the path
int findPath(const RtArray<int>& map, RtArray<double>& path, double weight, int startX, int startY,
             int goalX, int goalY);

}  // namespace mvn
