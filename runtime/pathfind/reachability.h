// Whether one cell of the grid can be reached from another at all.
#pragma once

namespace mvn {

enum class Reachability { Reachable, Unreachable, Unknown };

// A breadth-first walk over the cells of the cost grid that are not
// blocked, from cell `from` (which may itself be blocked) with four
// neighbours a step, or eight with diagonal moves. Unknown when the memory
// for the walk (5 bytes a cell) cannot be had.
Reachability reachability(const float* costs, int width, int height, bool diagonalMoves,
                          int from, int to);

}  // namespace mvn
