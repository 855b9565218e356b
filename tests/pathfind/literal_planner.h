// The planner built literally on the structures of its first design, kept as
// the oracle for the fast planner: a pool of nodes allocated one by one, an
// open list kept sorted in a ring buffer (linear search, shifting
// insertion) and a closed set of hashed buckets. Slow (quadratic on large
// maps) but plainly right; its answers define the planner's behaviour.
//
// Where the first design left a fault, the oracle does what the runtime
// does instead:
// - map values beyond the float range count as the largest float, NaN
//   counts as blocked (else costs and keys become NaN and the sorted order
//   breaks);
// - a weight of NaN counts as 0;
// - reset() gives the pool's nodes back, so that another search can run;
// - a pool or open list set up smaller than W x H that runs out ends the
//   search without a result.
#pragma once

#include <cfloat>
#include <cstdlib>
#include <vector>

#include "runtime/pathfind/planner_parameters.h"

namespace mvn::literal {

struct Node {
  Node* parent;
  int x, y;
  float f;
  float g;
  Node* hashNext;
};

// The node pool: nodes allocated one by one, handed out in order, never
// returned during a search.
class NodeFactory {
 public:
  virtual ~NodeFactory() { release(); }
  void setup(int capacity) {
    release();
    table_ = new Node*[capacity];
    for (int i = 0; i < capacity; ++i) table_[i] = new Node();
    count_ = capacity;
    next_ = 0;
  }
  Node* take() { return next_ < count_ ? table_[next_++] : nullptr; }
  // The nodes handed out so far.
  int taken() const { return next_; }
  const Node* node(int i) const { return table_[i]; }
  void rewind() { next_ = 0; }

 private:
  void release() {
    for (int i = 0; i < count_; ++i) delete table_[i];
    delete[] table_;
    table_ = nullptr;
    count_ = next_ = 0;
  }
  Node** table_ = nullptr;
  int count_ = 0;
  int next_ = 0;
};

// A ring buffer addressed by position from the head, with a second buffer
// for shifting.
template <typename T>
class FixedDeque {
 public:
  virtual ~FixedDeque() { release(); }
  void setup(int capacity) {
    release();
    buffer_ = new T[capacity];
    shift_ = new T[capacity];
    capacity_ = capacity;
    head_ = tail_ = 0;
    empty_ = true;
  }
  int capacity() const { return capacity_; }
  int size() const {
    if (empty_) return 0;
    int n = tail_ - head_;
    return n <= 0 ? n + capacity_ : n;
  }
  T& at(int position) { return buffer_[(head_ + position) % capacity_]; }
  void pushBack(T value) {
    buffer_[tail_] = value;
    tail_ = (tail_ + 1) % capacity_;
    empty_ = false;
  }
  T popBack() {
    tail_ = (tail_ + capacity_ - 1) % capacity_;
    if (tail_ == head_) empty_ = true;
    return buffer_[tail_];
  }
  void insert(int position, T value) {
    int n = size();
    for (int i = position; i < n; ++i) shift_[i - position] = at(i);
    pushBack(value);  // grows by one; the slot is overwritten below
    at(position) = value;
    for (int i = position; i < n; ++i) at(i + 1) = shift_[i - position];
  }
  void remove(int position) {
    int n = size();
    for (int i = position + 1; i < n; ++i) shift_[i - position - 1] = at(i);
    for (int i = position + 1; i < n; ++i) at(i - 1) = shift_[i - position - 1];
    popBack();
  }
  void clear() {
    head_ = tail_ = 0;
    empty_ = true;
  }

 private:
  void release() {
    delete[] buffer_;
    delete[] shift_;
    buffer_ = shift_ = nullptr;
  }
  T* buffer_ = nullptr;
  T* shift_ = nullptr;
  int capacity_ = 0;
  int head_ = 0;
  int tail_ = 0;
  bool empty_ = true;
};

// The closed set: 2^b buckets linked through hashNext; node (x, y) lives in
// bucket (x & m) + ((y & m) << s), s = b / 2, m = 2^s - 1.
class NodeHashTable {
 public:
  virtual ~NodeHashTable() { delete[] buckets_; }
  void setup(int bits) {
    if (bits > 24) bits = 24;
    bits &= ~1;
    delete[] buckets_;
    buckets_ = new Node*[std::size_t{1} << bits]();
    count_ = 1 << bits;
    shift_ = bits / 2;
    mask_ = (1 << shift_) - 1;
  }
  void add(Node* node) {
    Node** link = &buckets_[bucket(node->x, node->y)];
    for (Node* n = *link; n != nullptr; n = n->hashNext) {
      if (n == node) return;
    }
    node->hashNext = *link;
    *link = node;
  }
  Node* find(int x, int y) {
    for (Node** link = &buckets_[bucket(x, y)]; *link != nullptr; link = &(*link)->hashNext) {
      if ((*link)->x == x && (*link)->y == y) {
        found_ = link;
        return *link;
      }
    }
    return nullptr;
  }
  void unlinkFound() {
    Node* node = *found_;
    *found_ = node->hashNext;
    node->hashNext = nullptr;
  }
  void clear() {
    for (int i = 0; i < count_; ++i) buckets_[i] = nullptr;
  }

 private:
  int bucket(int x, int y) const { return (x & mask_) + ((y & mask_) << shift_); }
  Node** buckets_ = nullptr;
  Node** found_ = nullptr;
  int count_ = 0;
  int shift_ = 0;
  int mask_ = 0;
};

class LiteralPlanner {
 public:
  // What the searches so far went through, for tests to see their reach.
  struct Statistics {
    long reopened = 0;      // closed nodes reached with a smaller g
    long updated = 0;       // open nodes reached with a smaller g
    long equalInserts = 0;  // insertions beside a node of equal f
    long ranOut = 0;        // searches ended by the pool or the open list
    long expansions = 0;    // nodes taken from the open list
  };
  const Statistics& statistics() const { return statistics_; }

  bool setup(const PlannerParameters& parameters) {
    p_ = parameters;
    result_ = nullptr;
    ready_ = false;
    if (p_.map == nullptr || p_.width <= 0 || p_.height <= 0) return false;
    if (p_.startX < 0 || p_.startX >= p_.width || p_.goalX < 0 || p_.goalX >= p_.width) return false;
    if (p_.startY < 0 || p_.startY >= p_.height || p_.goalY < 0 || p_.goalY >= p_.height) return false;
    if (p_.startX == p_.goalX && p_.startY == p_.goalY) return false;
    int cells = p_.width * p_.height;
    // The grid: values as floats, <= 0 blocked, the rest value / M + 1.
    grid_.assign(cells, 0.0f);
    float largest = 0.0f;
    for (int i = 0; i < cells; ++i) {
      double v = p_.map[i];
      float value = !(v > 0.0) ? 0.0f : v >= FLT_MAX ? FLT_MAX : static_cast<float>(v);
      grid_[i] = value;
      if (value > largest) largest = value;
    }
    if (!(largest > 0.0f)) return false;
    for (float& value : grid_) value = value <= 0.0f ? -1.0f : value / largest + 1.0f;
    pool_.setup(p_.poolSize > 0 && p_.poolSize < cells ? p_.poolSize : cells);
    open_.setup(p_.openCapacity > 0 && p_.openCapacity < cells ? p_.openCapacity : cells);
    closed_.setup(8);
    float w = p_.weight;
    p_.weight = !(w > 0.0f) ? 0.0f : w > 1.0f ? 1.0f : w;
    ready_ = true;
    return true;
  }

  void beginSearch() {
    finished_ = false;
    result_ = nullptr;
    Node* node = pool_.take();
    node->parent = nullptr;
    node->x = p_.startX;
    node->y = p_.startY;
    node->g = 0.0f;
    node->f = 0.0f;
    open_.pushBack(node);
  }

  bool search() {
    static const int kSteps[8][3] = {{-1, -1, 1}, {0, -1, 0}, {1, -1, 1}, {1, 0, 0},
                                     {-1, 0, 0},  {-1, 1, 1}, {0, 1, 0},  {1, 1, 1}};
    while (open_.size() > 0) {
      Node* node = open_.popBack();
      ++statistics_.expansions;
      if (node->x == p_.goalX && node->y == p_.goalY) {
        closed_.add(node);
        result_ = node;
        break;
      }
      bool ranOut = false;
      for (const auto& step : kSteps) {
        bool diagonal = step[2] != 0;
        if (diagonal && !p_.diagonalMoves) continue;
        int x = node->x + step[0];
        int y = node->y + step[1];
        if (x < 0 || x >= p_.width || y < 0 || y >= p_.height) continue;
        float c = grid_[x + y * p_.width];
        if (c == -1.0f) continue;
        float g = diagonal && p_.diagonalCostFactor ? node->g + c * 1.4142137f : node->g + c;
        int h = std::abs(p_.goalX - x) + std::abs(p_.goalY - y);
        float f = g + p_.weight * (static_cast<float>(h) - g);
        if (Node* closed = closed_.find(x, y)) {
          if (g < closed->g) {
            if (open_.size() == open_.capacity()) {
              ranOut = true;
              break;
            }
            ++statistics_.reopened;
            closed_.unlinkFound();
            closed->parent = node;
            closed->g = g;
            closed->f = f;
            insert(closed);
          }
          continue;
        }
        int position = open_.size() - 1;
        while (position >= 0 && !(open_.at(position)->x == x && open_.at(position)->y == y)) --position;
        if (position >= 0) {
          Node* open = open_.at(position);
          if (g < open->g) {
            ++statistics_.updated;
            open_.remove(position);
            open->parent = node;
            open->g = g;
            open->f = f;
            insert(open);
          }
          continue;
        }
        Node* fresh = pool_.take();
        if (fresh == nullptr || open_.size() == open_.capacity()) {
          ranOut = true;
          break;
        }
        fresh->parent = node;
        fresh->x = x;
        fresh->y = y;
        fresh->g = g;
        fresh->f = f;
        insert(fresh);
      }
      if (ranOut) {
        ++statistics_.ranOut;
        break;
      }
      closed_.add(node);
    }
    finished_ = true;
    return true;
  }

  void reset() {
    open_.clear();
    closed_.clear();
    pool_.rewind();
  }

  // The path from the start to the goal, as (x, y) pairs; empty for none.
  std::vector<std::pair<int, int>> path() const {
    std::vector<std::pair<int, int>> cells;
    for (const Node* n = result_; n != nullptr; n = n->parent) cells.insert(cells.begin(), {n->x, n->y});
    return cells;
  }
  const Node* result() const { return result_; }
  const NodeFactory& pool() const { return pool_; }

 private:
  // Keeps the list in descending f from head to back: the node goes to the
  // first position whose f is <= its own, found by a binary search.
  void insert(Node* node) {
    int low = 0;
    int high = open_.size();
    while (low < high) {
      int middle = (low + high) / 2;
      if (open_.at(middle)->f > node->f) {
        low = middle + 1;
      } else {
        high = middle;
      }
    }
    if (low < open_.size() && open_.at(low)->f == node->f) ++statistics_.equalInserts;
    open_.insert(low, node);
  }

  PlannerParameters p_;
  std::vector<float> grid_;
  NodeFactory pool_;
  FixedDeque<Node*> open_;
  NodeHashTable closed_;
  const Node* result_ = nullptr;
  bool finished_ = false;
  bool ready_ = false;
  Statistics statistics_;
};

}  // namespace mvn::literal
