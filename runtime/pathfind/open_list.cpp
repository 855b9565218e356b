#include "runtime/pathfind/open_list.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace mvn {

bool OpenList::allocate(int capacity, SearchNode* nodes) {
  entries_.reset();
  size_ = capacity_ = 0;
  nodes_ = nodes;
  nextNumber_ = 0;
  if (capacity > 0) {
    entries_.reset(new (std::nothrow) Entry[static_cast<std::size_t>(capacity) + 1]);
    if (!entries_) return false;
  }
  capacity_ = capacity;
  return true;
}

void OpenList::clear() {
  size_ = 0;
  nextNumber_ = 0;
}

void OpenList::insert(int cell, float f) {
  std::uint64_t key = keyOf(f);
  siftUp(++size_, Entry{key, cell});
}

void OpenList::update(int slot, float f) {
  int cell = entries_[slot].cell;
  std::uint64_t key = keyOf(f);
  slot = nodes_[cell].slot;  // a renumbering moves entries
  Entry entry{key, cell};
  // A lower f may take the entry towards the root; an equal or higher f,
  // with its newer number, towards the leaves.
  if (slot > 1 && entry.key < entries_[slot / 2].key) {
    siftUp(slot, entry);
  } else {
    siftDown(slot, entry);
  }
}

int OpenList::popFront() {
  int cell = entries_[1].cell;
  --size_;
  if (size_ > 0) siftDown(1, entries_[size_ + 1]);
  return cell;
}

std::uint64_t OpenList::keyOf(float f) {
  if (nextNumber_ == UINT32_MAX) renumber();
  f += 0.0f;  // -0 as +0
  std::uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return (std::uint64_t{bits} << 32) | nextNumber_++;
}

// Sorted by key the entries still form a heap; numbered 0, 1, 2... in that
// order they keep it, and the next insertion comes after all of them.
void OpenList::renumber() {
  std::sort(entries_.get() + 1, entries_.get() + 1 + size_,
            [](const Entry& a, const Entry& b) { return a.key < b.key; });
  for (int slot = 1; slot <= size_; ++slot) {
    entries_[slot].key = (entries_[slot].key & 0xFFFFFFFF00000000u) | static_cast<std::uint32_t>(slot - 1);
    nodes_[entries_[slot].cell].slot = slot;
  }
  nextNumber_ = static_cast<std::uint32_t>(size_);
}

// Moves the hole at slot towards the root until entry fits there.
void OpenList::siftUp(int slot, Entry entry) {
  while (slot > 1) {
    int parent = slot / 2;
    if (!(entry.key < entries_[parent].key)) break;
    place(slot, entries_[parent]);
    slot = parent;
  }
  place(slot, entry);
}

// Moves the hole at slot towards the leaves until entry fits there.
void OpenList::siftDown(int slot, Entry entry) {
  for (;;) {
    if (slot > size_ / 2) break;  // no children
    int child = 2 * slot;
    if (child < size_ && entries_[child + 1].key < entries_[child].key) ++child;
    if (!(entries_[child].key < entry.key)) break;
    place(slot, entries_[child]);
    slot = child;
  }
  place(slot, entry);
}

}  // namespace mvn
