// Lets a test run a command while every operator new above a size fails, to
// show what the command does when memory runs out.
//
// This header replaces the global operator new and delete of the whole test
// executable: include it in exactly one source file of a suite. The
// replacements allocate with malloc and free with free, so the sanitizers
// still see every allocation and its release.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace mvn::testing {

inline std::atomic<std::size_t> allocationLimit{~std::size_t{0}};

// While one lives, an allocation of more than `bytes` fails.
class AllocationLimit {
 public:
  explicit AllocationLimit(std::size_t bytes) { allocationLimit = bytes; }
  ~AllocationLimit() { allocationLimit = ~std::size_t{0}; }
  AllocationLimit(const AllocationLimit&) = delete;
  AllocationLimit& operator=(const AllocationLimit&) = delete;
};

inline void* allocateWithinLimit(std::size_t bytes) noexcept {
  if (bytes > allocationLimit) return nullptr;
  return std::malloc(bytes ? bytes : 1);
}

}  // namespace mvn::testing

void* operator new(std::size_t bytes) {
  if (void* p = mvn::testing::allocateWithinLimit(bytes)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t bytes) {
  if (void* p = mvn::testing::allocateWithinLimit(bytes)) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept {
  return mvn::testing::allocateWithinLimit(bytes);
}
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept {
  return mvn::testing::allocateWithinLimit(bytes);
}
// Every operator new above allocates with malloc, so free is the matching
// release; the compiler cannot see that through the replacement.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
