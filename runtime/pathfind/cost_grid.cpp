#include "runtime/pathfind/cost_grid.h"

namespace mvn {

float largestMapValue(const double* map, std::size_t count) {
  float largest = 0.0f;
  for (std::size_t i = 0; i < count; ++i) {
    float v = mapValueAsFloat(map[i]);
    if (v > largest) largest = v;
  }
  return largest;
}

}  // namespace mvn
