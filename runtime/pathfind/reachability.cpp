#include "runtime/pathfind/reachability.h"

#include <cstddef>
#include <memory>
#include <new>

#include "runtime/pathfind/cost_grid.h"

namespace mvn {

Reachability reachability(const float* costs, int width, int height, bool diagonalMoves,
                          int from, int to) {
  std::size_t cells = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::unique_ptr<int[]> queue(new (std::nothrow) int[cells]);
  std::unique_ptr<bool[]> seen(new (std::nothrow) bool[cells]());
  if (!queue || !seen) return Reachability::Unknown;
  std::size_t head = 0;
  std::size_t tail = 0;
  queue[tail++] = from;
  seen[from] = true;
  while (head < tail) {
    int cell = queue[head++];
    if (cell == to) return Reachability::Reachable;
    int x = cell % width;
    int y = cell / width;
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        bool diagonal = dx != 0 && dy != 0;
        if ((dx == 0 && dy == 0) || (diagonal && !diagonalMoves)) continue;
        int nx = x + dx;
        int ny = y + dy;
        if (nx < 0 || nx >= width || ny < 0 || ny >= height) continue;
        int next = nx + ny * width;
        if (seen[next] || costs[next] == kBlockedCost) continue;
        seen[next] = true;
        queue[tail++] = next;
      }
    }
  }
  return Reachability::Unreachable;
}

}  // namespace mvn
