// Small maps written as rows of digits, for the path-finding tests.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "runtime/values/rt_array.h"

namespace pathfind_test {

using Cells = std::vector<std::pair<int, int>>;

// Row y of the text is y of the map; each character a cell's value 0..9.
template <typename T = double>
mvn::RtArray<T> mapOf(const std::vector<std::string>& rows) {
  mvn::RtArray<T> map;
  int width = static_cast<int>(rows.front().size());
  int height = static_cast<int>(rows.size());
  map.dimension(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) map(x, y) = static_cast<T>(rows[y][x] - '0');
  }
  return map;
}

// The rows of a path array as (x, y) pairs.
template <typename T>
Cells cellsOf(const mvn::RtArray<T>& path) {
  Cells cells;
  for (int i = 0; i < path.size1; ++i) {
    cells.emplace_back(static_cast<int>(path(i, 0)), static_cast<int>(path(i, 1)));
  }
  return cells;
}

}  // namespace pathfind_test
