#include "runtime/pathfind/cost_grid.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

using mvn::cellCost;
using mvn::fillCosts;
using mvn::kBlockedCost;
using mvn::largestMapValue;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

std::uint32_t bitsOf(float f) {
  std::uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return bits;
}

}  // namespace

TEST(CostGrid, CellCosts) {
  struct Case {
    double value;
    float largest;
    float cost;
  } cases[] = {
      {1.0, 3.0f, 1.0f / 3.0f + 1.0f},
      {3.0, 3.0f, 2.0f},
      {0.0, 3.0f, kBlockedCost},
      {-0.0, 3.0f, kBlockedCost},
      {-2.5, 3.0f, kBlockedCost},
      {kNaN, 3.0f, kBlockedCost},
      {-kInf, 3.0f, kBlockedCost},
      {1e-60, 3.0f, kBlockedCost},  // 0 as a float
      {1e-45, 1.0f, 1.0f},           // the smallest float above 0: open, cost 1
      {kInf, FLT_MAX, 2.0f},         // held at the largest float
      {1e300, FLT_MAX, 2.0f},
      {1.0, FLT_MAX, 1.0f},
      {0.1, 1.0f, 0.1f + 1.0f},      // the float 0.1, not the double
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(bitsOf(cellCost(c.value, c.largest)), bitsOf(c.cost));
  }
}

// The grid is built four values at a time: every value in every position
// of a block, and in the tail after the last block, gives what cellCost
// gives, and a NaN never hides the largest value from its lane.
TEST(CostGrid, EveryPositionOfTheGridAlike) {
  const double values[] = {kNaN, kInf, -kInf, 1e300, 3.4e38, 1e-60, 1e-45, -1.0, 0.0, -0.0, 0.1, 9.0};
  for (int count = 1; count <= 11; ++count) {
    for (int at = 0; at < count; ++at) {
      for (double value : values) {
        std::vector<double> map(count, 2.0);
        map[at] = value;
        float largest = largestMapValue(map.data(), map.size());
        float expected = 0.0f;
        for (double v : map) expected = std::fmax(expected, mvn::mapValueAsFloat(v));
        EXPECT_EQ(largest, expected) << count << " " << at << " " << value;
        std::vector<float> costs(count);
        fillCosts(map.data(), map.size(), largest, costs.data());
        for (int i = 0; i < count; ++i) {
          ASSERT_EQ(bitsOf(costs[i]), bitsOf(cellCost(map[i], largest))) << count << " " << at << " " << value;
        }
      }
      for (int nan = 0; nan < count; ++nan) {
        if (nan == at) continue;
        std::vector<double> map(count, 2.0);
        map[at] = 8.0;
        map[nan] = kNaN;
        EXPECT_EQ(largestMapValue(map.data(), map.size()), 8.0f) << count << " " << at << " " << nan;
      }
    }
  }
  std::vector<double> none = {0.0, -1.0, kNaN, 1e-60, -kInf};
  EXPECT_EQ(largestMapValue(none.data(), none.size()), 0.0f);
}
