// The game as the end-to-end tests play it: the board a seed deals and where
// the arrow of a rotation is.
#pragma once

#include <cstdint>

#include "game/board.h"
#include "runtime/values/random.h"
#include "tests/e2e/solver.h"

namespace quadrivolant_test {

// The dealt board of a run seeded with seed: the first draws of the run are the deal's.
inline Arrangement dealtBoard(uint32_t seed) {
  mvn::seedRandom(seed);
  mvn::rnd(14);
  quadrivolant::board.dimension(10, 10);
  quadrivolant::scrambleBoard();
  Arrangement a{};
  for (int y = 1; y <= 3; ++y) {
    for (int x = 1; x <= 3; ++x) a[3 * (y - 1) + (x - 1)] = quadrivolant::board(x, y);
  }
  return a;
}

// The centre of the arrow that makes a rotation, in window coordinates.
inline void arrowCentre(Rotation r, int* x, int* y) {
  switch (r.code) {
    case 4: *x = 120 * r.index; *y = 30; break;
    case 6: *x = 120 * r.index; *y = 450; break;
    case 7: *x = 30; *y = 120 * r.index; break;
    default: *x = 450; *y = 120 * r.index; break;
  }
}

}  // namespace quadrivolant_test
