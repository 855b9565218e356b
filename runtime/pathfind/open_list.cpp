#include "runtime/pathfind/open_list.h"

#include <new>

namespace mvn {

bool OpenList::allocate(int capacity, SearchNode* nodes) {
  entries_.reset();
  size_ = capacity_ = 0;
  nodes_ = nodes;
  if (capacity > 0) {
    entries_.reset(new (std::nothrow) Entry[static_cast<std::size_t>(capacity)]);
    if (!entries_) return false;
  }
  capacity_ = capacity;
  nextOrder_ = 0;
  return true;
}

void OpenList::clear() {
  size_ = 0;
  nextOrder_ = 0;
}

void OpenList::insert(int cell, float f) {
  siftUp(size_++, Entry{f, cell, nextOrder_++});
}

void OpenList::update(int slot, float f) {
  Entry entry{f, entries_[slot].cell, nextOrder_++};
  // A lower f may take the entry towards the root; an equal or higher f,
  // with its newer order, towards the leaves.
  if (slot > 0 && before(entry, entries_[(slot - 1) / 2])) {
    siftUp(slot, entry);
  } else {
    siftDown(slot, entry);
  }
}

int OpenList::popFront() {
  int cell = entries_[0].cell;
  --size_;
  if (size_ > 0) siftDown(0, entries_[size_]);
  return cell;
}

// Moves the hole at slot towards the root until entry fits there.
void OpenList::siftUp(int slot, Entry entry) {
  while (slot > 0) {
    int parent = (slot - 1) / 2;
    if (!before(entry, entries_[parent])) break;
    place(slot, entries_[parent]);
    slot = parent;
  }
  place(slot, entry);
}

// Moves the hole at slot towards the leaves until entry fits there.
void OpenList::siftDown(int slot, Entry entry) {
  for (;;) {
    int child = 2 * slot + 1;
    if (child >= size_) break;
    if (child + 1 < size_ && before(entries_[child + 1], entries_[child])) ++child;
    if (!before(entries_[child], entry)) break;
    place(slot, entries_[child]);
    slot = child;
  }
  place(slot, entry);
}

}  // namespace mvn
