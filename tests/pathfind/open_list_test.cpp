#include "runtime/pathfind/open_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <utility>
#include <vector>

using mvn::OpenList;
using mvn::SearchNode;

namespace {

// An open list over cells 0..count-1 whose slots the test can read.
struct Fixture {
  explicit Fixture(int count, std::uint32_t firstNumber = 0)
      : nodes(count, SearchNode{0.0f, -1, mvn::kNodeUnreached}) {
    EXPECT_TRUE(open.allocate(count, nodes.data()));
    open.numberNextInsertion(firstNumber);
  }
  std::vector<int> drain() {
    std::vector<int> cells;
    while (!open.empty()) cells.push_back(open.popFront());
    return cells;
  }
  std::vector<SearchNode> nodes;
  OpenList open;
};

}  // namespace

TEST(OpenList, SmallestKeyFirstAndEqualKeysInInsertionOrder) {
  Fixture t(8);
  const float keys[] = {3.0f, 1.0f, 2.0f, 1.0f, 3.0f, 1.0f, 0.5f, 2.0f};
  for (int cell = 0; cell < 8; ++cell) t.open.insert(cell, keys[cell]);
  EXPECT_TRUE(t.open.full());
  EXPECT_EQ(t.drain(), (std::vector<int>{6, 1, 3, 5, 2, 7, 0, 4}));

  Fixture zeros(3);  // -0 equals +0
  zeros.open.insert(0, 0.5f);
  zeros.open.insert(1, -0.0f);
  zeros.open.insert(2, 0.0f);
  EXPECT_EQ(zeros.drain(), (std::vector<int>{1, 2, 0}));
}

TEST(OpenList, AnUpdateCountsAsANewInsertion) {
  struct Case {
    const char* what;
    float newKey;
    std::vector<int> order;
  } cases[] = {
      {"same key: behind its equals", 2.0f, {1, 2, 0, 3}},
      {"lower key: behind the equals of that key", 1.0f, {1, 0, 2, 3}},
      {"lowest key: first", 0.5f, {0, 1, 2, 3}},
      {"higher key: behind the equals of that key", 3.0f, {1, 2, 3, 0}},
  };
  // Numbered from 2^32 - 5 on, the update runs out of insertion numbers.
  for (std::uint32_t firstNumber : {0u, UINT32_MAX - 4}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.what);
      Fixture t(4, firstNumber);
      t.open.insert(1, 1.0f);
      t.open.insert(3, 3.0f);
      t.open.insert(0, 2.0f);
      t.open.insert(2, 2.0f);  // the heap is not in sorted order now
      t.open.update(t.nodes[0].slot, c.newKey);
      EXPECT_EQ(t.drain(), c.order);
    }
  }
}

// Random inserts, updates through the cells' slots and removals against a
// plain model of (key, insertion number) per cell; the second run runs out
// of insertion numbers half way.
TEST(OpenList, AgreesWithAModelUnderRandomUse) {
  for (std::uint32_t firstNumber : {0u, UINT32_MAX - 3000}) {
    const int count = 200;
    Fixture t(count, firstNumber);
    std::map<int, std::pair<float, long>> model;  // open cell -> key, insertion number
    long inserted = 0;
    std::mt19937 random(15);
    for (int step = 0; step < 20000; ++step) {
      int cell = static_cast<int>(random() % count);
      float key = static_cast<float>(random() % 16) / 4.0f;
      int action = static_cast<int>(random() % 3);
      if (action == 0 && t.nodes[cell].slot == mvn::kNodeUnreached) {
        t.open.insert(cell, key);
        model[cell] = {key, inserted++};
      } else if (action == 1 && t.nodes[cell].slot > 0) {
        t.open.update(t.nodes[cell].slot, key);
        model[cell] = {key, inserted++};
      } else if (action == 2 && !model.empty()) {
        auto smallest = std::min_element(model.begin(), model.end(), [](const auto& a, const auto& b) {
          return a.second < b.second;
        });
        int popped = t.open.popFront();
        ASSERT_EQ(popped, smallest->first) << "step " << step;
        t.nodes[popped].slot = mvn::kNodeUnreached;
        model.erase(smallest);
      }
      ASSERT_EQ(t.open.size(), static_cast<int>(model.size()));
    }
  }
}
