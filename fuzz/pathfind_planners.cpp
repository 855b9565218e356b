// Maps from outside through both path planners: the fast one must give the
// literal one's answer (result, path, path cost) on every map, setting and
// start and goal, and neither may fault.
//
// Input: width and height (1..16), a byte of flags (bit 0 diagonal moves,
// bit 1 no diagonal cost factor, bit 2 a small pool, bit 3 a small open
// list), a weight byte (0..255 over -0.5..1.5, 255 is NaN), start x, y and
// goal x, y (one byte each, taken modulo one more than the extent so that
// they can lie just outside), pool and open sizes, then one byte a cell:
// 0 blocks, 1..200 are value / 20, the rest odd values (NaN, infinities,
// 1e300, 1e-60, negatives, the float limits).
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "runtime/pathfind/astar_planner.h"
#include "tests/pathfind/literal_planner.h"

namespace {

double cellValue(std::uint8_t byte) {
  if (byte <= 200) return byte / 20.0;
  switch (byte % 8) {
    case 0: return std::numeric_limits<double>::quiet_NaN();
    case 1: return std::numeric_limits<double>::infinity();
    case 2: return -std::numeric_limits<double>::infinity();
    case 3: return 1e300;
    case 4: return 1e-60;
    case 5: return -3.5;
    case 6: return static_cast<double>(FLT_MAX);
    default: return static_cast<double>(FLT_MIN);
  }
}

std::uint32_t bitsOf(float f) {
  std::uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return bits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size < 10) return 0;
  mvn::PlannerParameters p;
  p.width = 1 + data[0] % 16;
  p.height = 1 + data[1] % 16;
  std::uint8_t flags = data[2];
  p.diagonalMoves = (flags & 1) != 0;
  p.diagonalCostFactor = (flags & 2) == 0;
  p.weight = data[3] == 255 ? std::nanf("") : -0.5f + data[3] / 127.0f;
  p.startX = data[4] % (p.width + 1);
  p.startY = data[5] % (p.height + 1);
  p.goalX = data[6] % (p.width + 1);
  p.goalY = data[7] % (p.height + 1);
  int cells = p.width * p.height;
  if (flags & 4) p.poolSize = 1 + data[8] % cells;
  if (flags & 8) p.openCapacity = 1 + data[9] % cells;
  std::vector<double> values(cells, 1.0);
  for (int i = 0; i < cells && 10 + static_cast<size_t>(i) < size; ++i) values[i] = cellValue(data[10 + i]);
  p.map = values.data();

  mvn::literal::LiteralPlanner literal;
  mvn::AStarPlanner fast;
  bool ready = literal.setup(p);
  if (fast.setup(p) != ready) std::abort();
  if (!ready) return 0;
  for (int round = 0; round < 2; ++round) {
    literal.beginSearch();
    literal.search();
    fast.beginSearch();
    fast.search();
    auto expected = literal.path();
    std::vector<std::pair<int, int>> found;
    for (int cell = fast.result(); cell >= 0; cell = fast.parentOf(cell)) {
      found.insert(found.begin(), {cell % p.width, cell / p.width});
    }
    if (found != expected) std::abort();
    if (literal.result() != nullptr && bitsOf(literal.result()->g) != bitsOf(fast.costTo(fast.result()))) {
      std::abort();
    }
    literal.reset();
    fast.reset();
  }
  return 0;
}
