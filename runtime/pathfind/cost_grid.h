// The planner's cost grid: map values as 32-bit floats, scaled so that every
// passable cell costs more than 1 and at most 2.
#pragma once

#include <cfloat>
#include <cstddef>

namespace mvn {

// The cost of a blocked cell.
inline constexpr float kBlockedCost = -1.0f;

// A map value as the grid sees it: rounded to a 32-bit float, with values
// beyond the float range held at the largest float. NaN, values <= 0 and
// positive values too small for a float give 0 (a blocked cell).
inline float mapValueAsFloat(double value) {
  double positive = value > 0.0 ? value : 0.0;  // NaN too gives 0
  double held = positive < static_cast<double>(FLT_MAX) ? positive : static_cast<double>(FLT_MAX);
  return static_cast<float>(held);
}

// The largest value > 0 of the map's count values as the grid sees them;
// 0 when there is none (the search is then refused).
float largestMapValue(const double* map, std::size_t count);

// The cost of a cell: value / largest + 1, each step rounded to a float, or
// kBlockedCost for a value that is not > 0 as a float.
inline float cellCost(double value, float largest) {
  float v = mapValueAsFloat(value);
  float cost = v / largest + 1.0f;
  return v > 0.0f ? cost : kBlockedCost;
}

// The costs of the map's count values, cellCost for each, into costs.
void fillCosts(const double* map, std::size_t count, float largest, float* costs);

}  // namespace mvn
