#include "tests/e2e/solver.h"

#include <algorithm>
#include <queue>
#include <unordered_map>

namespace quadrivolant_test {

namespace {

int key(const Arrangement& a) {
  int k = 0;
  for (int t : a) k = k * 9 + t;
  return k;
}

}  // namespace

Arrangement applyRotation(const Arrangement& a, Rotation rotation) {
  Arrangement b = a;
  const int i = rotation.index - 1;
  for (int j = 0; j < 3; ++j) {
    switch (rotation.code) {
      case 4: b[3 * j + i] = a[3 * ((j + 1) % 3) + i]; break;
      case 6: b[3 * j + i] = a[3 * ((j + 2) % 3) + i]; break;
      case 7: b[3 * i + j] = a[3 * i + (j + 1) % 3]; break;
      case 5: b[3 * i + j] = a[3 * i + (j + 2) % 3]; break;
    }
  }
  return b;
}

bool solve(const Arrangement& start, std::vector<Rotation>* moves) {
  const Arrangement solved{0, 1, 2, 3, 4, 5, 6, 7, 8};
  struct Step {
    int previous;
    Rotation rotation;
  };
  std::unordered_map<int, Step> seen{{key(start), Step{-1, {0, 0}}}};
  std::queue<Arrangement> open;
  open.push(start);
  while (!open.empty()) {
    const Arrangement a = open.front();
    open.pop();
    if (a == solved) {
      moves->clear();
      for (int k = key(a); seen.at(k).previous != -1; k = seen.at(k).previous) {
        moves->push_back(seen.at(k).rotation);
      }
      std::reverse(moves->begin(), moves->end());
      return true;
    }
    for (int code = 4; code <= 7; ++code) {
      for (int index = 1; index <= 3; ++index) {
        const Arrangement b = applyRotation(a, {code, index});
        if (seen.emplace(key(b), Step{key(a), {code, index}}).second) open.push(b);
      }
    }
  }
  return false;
}

}  // namespace quadrivolant_test
