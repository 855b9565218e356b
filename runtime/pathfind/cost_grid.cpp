#include "runtime/pathfind/cost_grid.h"

namespace mvn {

// Rounding to a float keeps the order of the values, so the largest value
// as a float is the largest value, rounded. Four running maxima keep the
// loop from waiting on one.
float largestMapValue(const double* map, std::size_t count) {
  double largest[4] = {0.0, 0.0, 0.0, 0.0};
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    for (int k = 0; k < 4; ++k) largest[k] = map[i + k] > largest[k] ? map[i + k] : largest[k];
  }
  for (; i < count; ++i) largest[0] = map[i] > largest[0] ? map[i] : largest[0];
  for (int k = 1; k < 4; ++k) largest[0] = largest[k] > largest[0] ? largest[k] : largest[0];
  return mapValueAsFloat(largest[0]);
}

}  // namespace mvn
