#include "runtime/pathfind/open_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <utility>
#include <vector>

using mvn::OpenList;
using mvn::SearchNode;

namespace {

// An open list over cells 0..count-1 whose slots the test can read.
struct Fixture {
  explicit Fixture(int count) : nodes(count, SearchNode{1.0f, 0.0f, -1, mvn::kNodeUnreached}) {
    EXPECT_TRUE(open.allocate(count, nodes.data()));
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
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Fixture t(4);
    t.open.insert(0, 2.0f);
    t.open.insert(1, 1.0f);
    t.open.insert(2, 2.0f);
    t.open.insert(3, 3.0f);
    t.open.update(t.nodes[0].slot, c.newKey);
    EXPECT_EQ(t.drain(), c.order);
  }
}

// Random inserts, updates through the cells' slots and removals against a
// plain model of (key, insertion number) per cell.
TEST(OpenList, AgreesWithAModelUnderRandomUse) {
  const int count = 200;
  Fixture t(count);
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
    } else if (action == 1 && t.nodes[cell].slot >= 0) {
      t.open.update(t.nodes[cell].slot, key);
      model[cell] = {key, inserted++};
    } else if (action == 2 && !model.empty()) {
      auto first = std::min_element(model.begin(), model.end(), [](const auto& a, const auto& b) {
        return a.second < b.second;
      });
      int popped = t.open.popFront();
      ASSERT_EQ(popped, first->first) << "step " << step;
      t.nodes[popped].slot = mvn::kNodeUnreached;
      model.erase(first);
    }
    ASSERT_EQ(t.open.size(), static_cast<int>(model.size()));
  }
}
