// The planner's open list: the nodes waiting to be expanded, in a binary heap
// ordered by f and, among equal f, by the order of insertion (first in, first
// out). An update counts as a new insertion. Each node's position in the heap
// is kept in its slot, so a node is found and updated without a search.
#pragma once

#include <cstdint>
#include <memory>

#include "runtime/pathfind/search_node.h"

namespace mvn {

class OpenList {
 public:
  // Room for capacity entries, over the nodes whose slots the list keeps.
  // False when the memory cannot be had.
  bool allocate(int capacity, SearchNode* nodes);

  int size() const { return size_; }
  bool empty() const { return size_ == 0; }
  bool full() const { return size_ == capacity_; }
  // Forgets every entry; the nodes' slots are the caller's to reset.
  void clear();

  // Adds node cell with key f as the newest entry. The list must not be full.
  void insert(int cell, float f);
  // Gives the entry at slot the key f and makes it the newest entry.
  void update(int slot, float f);
  // Removes the entry with the smallest f (of equal f the oldest) and
  // returns its cell; its slot is left for the caller to set.
  int popFront();

 private:
  struct Entry {
    float f;
    int cell;
    std::uint64_t order;  // insertion counter
  };

  static bool before(const Entry& a, const Entry& b) {
    return a.f < b.f || (a.f == b.f && a.order < b.order);
  }
  void place(int slot, const Entry& entry) {
    entries_[slot] = entry;
    nodes_[entry.cell].slot = slot;
  }
  void siftUp(int slot, Entry entry);
  void siftDown(int slot, Entry entry);

  std::unique_ptr<Entry[]> entries_;
  SearchNode* nodes_ = nullptr;
  int size_ = 0;
  int capacity_ = 0;
  std::uint64_t nextOrder_ = 0;
};

}  // namespace mvn
