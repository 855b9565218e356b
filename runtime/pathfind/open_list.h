// The planner's open list: the nodes waiting to be expanded, in a binary heap
// ordered by f and, among equal f, by the order of insertion (first in, first
// out). An update counts as a new insertion. Each node's position in the heap
// (from 1) is kept in its slot, so a node is found and updated without a
// search. Entries are touched only as the list grows.
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

  // Adds node cell with key f (>= 0, not NaN) as the newest entry. The list
  // must not be full.
  void insert(int cell, float f);
  // Gives the entry at slot the key f and makes it the newest entry.
  void update(int slot, float f);
  // Removes the entry with the smallest f (of equal f the oldest) and
  // returns its cell; its slot is left for the caller to set.
  int popFront();

  // Insertions are numbered with 32 bits; when the numbers run out the
  // entries are numbered afresh in their order. Tests start near the end.
  void numberNextInsertion(std::uint32_t number) { nextNumber_ = number; }

 private:
  // The sort key: the bits of f (for floats >= 0 they order as the values
  // do) above the insertion number.
  struct Entry {
    std::uint64_t key;
    int cell;
  };
  std::uint64_t keyOf(float f);
  void renumber();

  // Entries sit at 1..size_; the children of slot i at 2i and 2i + 1.
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
  std::uint32_t nextNumber_ = 0;
};

}  // namespace mvn
