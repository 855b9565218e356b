// The shortest sequence of rotations that solves a board, found by a
// breadth-first search over the arrangements.
#pragma once

#include <array>
#include <vector>

namespace quadrivolant_test {

using Arrangement = std::array<int, 9>;  // tiles in reading order

struct Rotation {
  int code;   // 4 up, 5 right, 6 down, 7 left
  int index;  // column (up, down) or row (left, right), 1..3
};

Arrangement applyRotation(const Arrangement& a, Rotation rotation);

// The rotations from start to the solved order; empty when start is solved.
// Returns false when no sequence exists (an odd arrangement).
bool solve(const Arrangement& start, std::vector<Rotation>* moves);

}  // namespace quadrivolant_test
