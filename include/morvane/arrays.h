/// @file
/// Bounds-checked arrays of one to four dimensions (RtArray).
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <type_traits>
#include <utility>

#include "morvane/errors.h"
#include "morvane/text.h"

namespace mvn {

/// Records are the program's class types (anything but RtString); their
/// arrays grow in steps of 64 slots, every other array in steps of 8.
template <typename T>
inline constexpr bool isRtRecord = std::is_class_v<T> && !std::is_same_v<T, RtString>;

/// The dialect's array of one to four dimensions, of integers, doubles,
/// texts or records, every element access checked. Declare it with
/// dimension(), then read and write elements with `a(i)`, `a(i, j)`... The
/// first index varies fastest in memory. An index outside the dimensions
/// reports "bounds: " and "access: " lines on standard error and ends the
/// program with ::kErrorOutOfBounds. A negative first index counts from the
/// end, once: `a(-1)` is the last element of the first dimension.
/// @tparam T int, double, std::int64_t, RtString or a record type
template <typename T>
class RtArray {
 public:
  /// The most elements an array holds; a larger shape is an allocation failure.
  static constexpr int kMaxElements = 0x7fffffff - 64;

  /// The element block; null until the array is dimensioned.
  T* data = nullptr;
  /// Slots between neighbours in the second index (size1).
  int stride1 = 0;
  /// Slots between neighbours in the third index.
  int stride2 = 0;
  /// Slots between neighbours in the fourth index.
  int stride3 = 0;
  /// Extent of the first index; read it with size(0).
  int size1 = 0;
  /// Extent of the second index, 0 when the array has fewer dimensions.
  int size2 = 0;
  /// Extent of the third index, 0 when missing.
  int size3 = 0;
  /// Extent of the fourth index, 0 when missing.
  int size4 = 0;
  /// Number of elements.
  int total = 0;
  /// Number of dimensions, 0 (not dimensioned or emptied) to 4.
  int dimensionCount = 0;
  /// Element slots allocated in data.
  int capacity = 0;

  /// An array not yet dimensioned: every access is out of bounds.
  RtArray() = default;
  /// An element-by-element copy. @param other the array copied
  RtArray(const RtArray& other) {
    if (other.data != nullptr) assign(other);
  }
  /// Becomes an element-by-element copy. @param other the array copied @return this array
  RtArray& operator=(const RtArray& other) {
    assign(other);
    return *this;
  }
  /// Frees the elements.
  ~RtArray() { freeBlock(); }

  /// @param n a needed element count @return the slots allocated for it
  static int capacityFor(int n) {
    if constexpr (isRtRecord<T>) {
      return n == 0 ? 0 : n - n % 64 + 64;
    } else {
      return n - n % 8 + 8;
    }
  }

  /// The array's declaration: new extents, every element fresh (0, 0.0, the
  /// empty text, a new record). `a.dimension(10)` gives indices 0 to 9;
  /// `a.dimension(3, 4)` gives a(0..2, 0..3).
  /// @param first extent of the first index; 0 or less empties the array
  /// @param second extent of the second index; 0 or negative: no second index
  /// @param third extent of the third index; 0 or negative: none
  /// @param fourth extent of the fourth index; 0 or negative: none
  /// @param at where it was called (filled in by the compiler)
  /// @return false when the block cannot be had (::kErrorOutOfMemory, the
  ///         end of the program)
  bool dimension(int first, int second = 0, int third = 0, int fourth = 0, SourcePlace at = {__builtin_FILE(), __builtin_LINE()}) {
    second = std::max(second, 0);
    third = std::max(third, 0);
    fourth = std::max(fourth, 0);
    int k = first > 0 ? first : 0;
    std::int64_t n = std::int64_t{k} * std::max(1, second);
    if (n <= kMaxElements) n *= std::max(1, third);
    if (n <= kMaxElements) n *= std::max(1, fourth);
    if (n > kMaxElements) {
      fatalError(kErrorOutOfMemory, at);
      return false;
    }
    int count = static_cast<int>(n);
    if (capacity < count || first <= 0) {
      int newCapacity = capacityFor(count);
      T* block = allocateBlock(newCapacity);
      if (newCapacity > 0 && block == nullptr) {
        fatalError(kErrorOutOfMemory, at);
        return false;
      }
      freeBlock();
      data = block;
      capacity = newCapacity;
    } else {
      for (int s = 0; s < count; ++s) makeFresh(data[s]);
    }
    setShape(k, second, third, fourth);
    return true;
  }

  /// A one-dimensional declaration whose block holds exactly n slots, for
  /// commands that fill an array with a result of known size.
  /// @param n the element count (negative: 0)
  /// @param at where it was called (filled in by the compiler)
  /// @return false when the block cannot be had (::kErrorOutOfMemory, the end)
  bool dimensionExact(int n, SourcePlace at = {__builtin_FILE(), __builtin_LINE()}) {
    if (n < 0) n = 0;
    if (n > kMaxElements) {
      fatalError(kErrorOutOfMemory, at);
      return false;
    }
    if (capacity != n || n == 0) {
      T* block = allocateBlock(n);
      if (n > 0 && block == nullptr) {
        fatalError(kErrorOutOfMemory, at);
        return false;
      }
      freeBlock();
      data = block;
      capacity = n;
    } else {
      for (int s = 0; s < n; ++s) makeFresh(data[s]);
    }
    setShape(n, 0, 0, 0);
    return true;
  }

  /// New extents keeping the elements whose first two indices exist in both
  /// shapes (others are fresh).
  /// @param first extent of the first index; below 1 empties the array but keeps its block
  /// @param second extent of the second index, or 0
  /// @param third extent of the third index, or 0
  /// @param fourth extent of the fourth index, or 0
  void redimension(int first, int second = 0, int third = 0, int fourth = 0) {
    if (first < 1) {
      stride1 = stride2 = stride3 = 0;
      size1 = size2 = size3 = size4 = 0;
      total = dimensionCount = 0;
      return;
    }
    RtArray fresh;
    if (!fresh.dimension(first, second, third, fourth)) return;
    if (data != nullptr) {
      int n1 = std::min(size1, fresh.size1);
      int n2 = std::max(1, std::min(size2, fresh.size2));
      for (int j = 0; j < n2; ++j) {
        for (int i = 0; i < n1; ++i) fresh.data[i + j * fresh.stride1] = std::move(data[i + j * stride1]);
      }
    }
    swapDescriptor(fresh);
  }

  /// Appends one element at the end of a one-dimensional array (an array
  /// of more dimensions ends the program with ::kErrorAppendToMultiDimensional).
  /// @param value the new last element (may be an element of this array)
  /// @param at where it was called (filled in by the compiler)
  void push(const T& value, SourcePlace at = {__builtin_FILE(), __builtin_LINE()}) {
    if (size2 != 0 || size3 != 0 || size4 != 0) {
      fatalError(kErrorAppendToMultiDimensional, at);
      return;
    }
    if (size1 >= kMaxElements) {
      fatalError(kErrorOutOfMemory, at);
      return;
    }
    // value may be an element of this array, and growing moves the block.
    if (data != nullptr && &value >= data && &value < data + capacity) {
      T copy(value);
      push(copy, at);
      return;
    }
    int n = size1 + 1;
    if (n < capacity) {
      setShape(n, 0, 0, 0);
    } else {
      redimension(n);
      if (size1 != n) return;
    }
    data[n - 1] = value;
  }

  /// Removes element index of the first dimension (for every combination of
  /// the other indices) and moves the later ones down.
  /// @param index the element; negative counts from the end; outside the
  ///        first extent ends the program with ::kErrorOutOfBounds
  /// @param at where it was called (filled in by the compiler)
  void remove(int index, SourcePlace at = {__builtin_FILE(), __builtin_LINE()}) {
    if (index < 0) index += size1;
    if (data == nullptr || index < 0 || index >= size1) {
      failedAccess(index, 0, 0, 0, 1, at);
      return;
    }
    int rows = std::max(1, size2) * std::max(1, size3) * std::max(1, size4);
    int newSize1 = size1 - 1;
    // Slot by slot in increasing order: a target never lies after its source.
    for (int r = 0; r < rows; ++r) {
      for (int i = 0; i < newSize1; ++i) {
        int from = (i < index ? i : i + 1) + r * size1;
        int to = i + r * newSize1;
        if (to != from) data[to] = std::move(data[from]);
      }
    }
    setShape(newSize1, size2, size3, size4);
  }

  /// Becomes an element-by-element copy of other, with its shape.
  /// @param other the array copied
  void assign(const RtArray& other) {
    if (&other == this) return;
    if (!dimension(other.size1, other.size2, other.size3, other.size4)) return;
    int n = std::min(total, other.total);
    for (int s = 0; s < n; ++s) data[s] = other.data[s];
  }

  /// The extent of one index: `a.size(0)` is the number of elements of a
  /// one-dimensional array.
  /// @param dimensionIndex 0 for the first index up to 3 for the fourth
  /// @return the extent; 0 for a missing index or a dimensionIndex outside 0..3
  int size(int dimensionIndex) const {
    switch (dimensionIndex) {
      case 0: return size1;
      case 1: return size2;
      case 2: return size3;
      case 3: return size4;
      default: return 0;
    }
  }

  /// Element access: every index must lie inside its extent and the index
  /// of a missing extent must be 0; otherwise the access is reported and the
  /// program ends with ::kErrorOutOfBounds.
  /// @param i first index; negative counts from the end, once
  /// @param at where it was called (filled in by the compiler)
  /// @return the element
  T& operator()(int i, SourcePlace at = {__builtin_FILE(), __builtin_LINE()}) { return element(i, 0, 0, 0, 1, at); }
  /// Element access. @param i first index (negative: from the end) @param j second index @param at the call @return the element
  T& operator()(int i, int j, SourcePlace at = {__builtin_FILE(), __builtin_LINE()}) { return element(i, j, 0, 0, 2, at); }
  /// Element access. @param i first index @param j second index @param k third index @param at the call @return the element
  T& operator()(int i, int j, int k, SourcePlace at = {__builtin_FILE(), __builtin_LINE()}) { return element(i, j, k, 0, 3, at); }
  /// Element access. @param i first index @param j second @param k third @param l fourth @param at the call @return the element
  T& operator()(int i, int j, int k, int l, SourcePlace at = {__builtin_FILE(), __builtin_LINE()}) { return element(i, j, k, l, 4, at); }
  /// Element read. @param i first index (negative: from the end) @param at the call @return the element
  const T& operator()(int i, SourcePlace at = {__builtin_FILE(), __builtin_LINE()}) const { return mutableSelf().element(i, 0, 0, 0, 1, at); }
  /// Element read. @param i first index @param j second index @param at the call @return the element
  const T& operator()(int i, int j, SourcePlace at = {__builtin_FILE(), __builtin_LINE()}) const { return mutableSelf().element(i, j, 0, 0, 2, at); }
  /// Element read. @param i first @param j second @param k third index @param at the call @return the element
  const T& operator()(int i, int j, int k, SourcePlace at = {__builtin_FILE(), __builtin_LINE()}) const { return mutableSelf().element(i, j, k, 0, 3, at); }
  /// Element read. @param i first @param j second @param k third @param l fourth index @param at the call @return the element
  const T& operator()(int i, int j, int k, int l, SourcePlace at = {__builtin_FILE(), __builtin_LINE()}) const { return mutableSelf().element(i, j, k, l, 4, at); }

 private:
  RtArray& mutableSelf() const { return const_cast<RtArray&>(*this); }

  static bool inside(int index, int extent) {
    return index >= 0 && index < (extent > 0 ? extent : 1);
  }

  T& element(int i, int j, int k, int l, int count, SourcePlace at) {
    if (i < 0) i += size1;
    if (data == nullptr || i < 0 || i >= size1 || !inside(j, size2) || !inside(k, size3) ||
        !inside(l, size4)) {
      return failedAccess(i, j, k, l, count, at);
    }
    return data[i + j * stride1 + k * stride2 + l * stride3];
  }

  T& failedAccess(int i, int j, int k, int l, int count, SourcePlace at) {
    const int sizes[4] = {size1, size2, size3, size4};
    const int indices[4] = {i, j, k, l};
    reportIndexFailure(sizes, indices, count);
    fatalError(kErrorOutOfBounds, at);
    static T scratch;
    scratch = T();
    return scratch;
  }

  void setShape(int s1, int s2, int s3, int s4) {
    size1 = s1;
    size2 = s2;
    size3 = s3;
    size4 = s4;
    stride1 = s1;
    stride2 = stride1 * std::max(1, s2);
    stride3 = stride2 * std::max(1, s3);
    total = stride3 * std::max(1, s4);
    dimensionCount = s4 != 0 ? 4 : s3 != 0 ? 3 : s2 != 0 ? 2 : s1 > 0 ? 1 : 0;
  }

  static void makeFresh(T& slot) { slot = T(); }

  static T* allocateBlock(int count) {
    if (count <= 0) return nullptr;
    if constexpr (std::is_trivially_default_constructible_v<T>) {
      return static_cast<T*>(std::calloc(static_cast<size_t>(count), sizeof(T)));
    } else {
      T* block = static_cast<T*>(std::malloc(static_cast<size_t>(count) * sizeof(T)));
      if (block != nullptr) {
        for (int s = 0; s < count; ++s) new (block + s) T();
      }
      return block;
    }
  }

  void freeBlock() {
    if (data == nullptr) return;
    if constexpr (!std::is_trivially_destructible_v<T>) {
      for (int s = 0; s < capacity; ++s) data[s].~T();
    }
    std::free(data);
    data = nullptr;
  }

  void swapDescriptor(RtArray& other) {
    std::swap(data, other.data);
    std::swap(stride1, other.stride1);
    std::swap(stride2, other.stride2);
    std::swap(stride3, other.stride3);
    std::swap(size1, other.size1);
    std::swap(size2, other.size2);
    std::swap(size3, other.size3);
    std::swap(size4, other.size4);
    std::swap(total, other.total);
    std::swap(dimensionCount, other.dimensionCount);
    std::swap(capacity, other.capacity);
  }
};

}  // namespace mvn
