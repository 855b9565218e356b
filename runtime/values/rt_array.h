// The index report of an array access; the array itself is public
// (morvane/arrays.h).
#pragma once

#include "morvane/arrays.h"

namespace mvn {

// The index report for an access of array with the given indices.
template <typename T, typename... Indices>
void reportIndexFailure(const RtArray<T>& array, Indices... indices) {
  static_assert(sizeof...(Indices) >= 1 && sizeof...(Indices) <= 4, "one to four indices");
  const int sizes[4] = {array.size1, array.size2, array.size3, array.size4};
  const int used[4] = {static_cast<int>(indices)...};
  reportIndexFailure(sizes, used, static_cast<int>(sizeof...(Indices)));
}

}  // namespace mvn
