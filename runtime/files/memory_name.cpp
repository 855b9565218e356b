#include "runtime/files/memory_name.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <map>

namespace mvn {

namespace {

constexpr char kPrefix[] = "mem://";
constexpr size_t kPrefixLength = 6;
constexpr size_t kDotIndex = 14;
constexpr size_t kAddressIndex = 15;

// Never destroyed, so blocks released during process exit still find it.
std::map<uintptr_t, uint32_t>& liveBlocks() {
  static auto* blocks = new std::map<uintptr_t, uint32_t>;
  return *blocks;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Parses text[begin, end) as spaces followed by at least one hex digit.
bool parsePaddedHex(const char* text, size_t begin, size_t end, uint64_t maxValue,
                    uint64_t* value) {
  size_t i = begin;
  while (i < end && text[i] == ' ') ++i;
  if (i == end) return false;
  uint64_t v = 0;
  for (; i < end; ++i) {
    const int d = hexDigit(text[i]);
    if (d < 0 || v > (maxValue >> 4)) return false;
    v = (v << 4) | static_cast<uint64_t>(d);
  }
  if (v > maxValue) return false;
  *value = v;
  return true;
}

}  // namespace

bool isMemoryName(TextRef nameRef) {
  const char* name = nameRef;
  return name && std::strncmp(name, kPrefix, kPrefixLength) == 0;
}

std::string makeMemoryName(const void* base, uint32_t length) {
  char text[64];
  // The address through uintptr_t: unsigned long is 32 bits on 64-bit Windows.
  std::snprintf(text, sizeof text, "mem://%8" PRIx32 ".%8" PRIxPTR, length,
                reinterpret_cast<uintptr_t>(base));
  return text;
}

bool parseMemoryName(const char* name, MemoryName* out) {
  if (!isMemoryName(name)) return false;
  const size_t n = std::strlen(name);
  if (n <= kAddressIndex || name[kDotIndex] != '.') return false;
  uint64_t length = 0;
  uint64_t address = 0;
  if (!parsePaddedHex(name, kPrefixLength, kDotIndex, UINT32_MAX, &length) ||
      !parsePaddedHex(name, kAddressIndex, n, UINTPTR_MAX, &address)) {
    return false;
  }
  if (out) {
    out->length = static_cast<uint32_t>(length);
    out->address = static_cast<uintptr_t>(address);
  }
  return true;
}

void registerMemoryBlock(const void* base, uint32_t length) {
  if (base) liveBlocks()[reinterpret_cast<uintptr_t>(base)] = length;
}

void unregisterMemoryBlock(const void* base) {
  liveBlocks().erase(reinterpret_cast<uintptr_t>(base));
}

bool isLiveMemoryBlock(const void* base, uint32_t length) {
  const auto it = liveBlocks().find(reinterpret_cast<uintptr_t>(base));
  return it != liveBlocks().end() && it->second == length;
}

}  // namespace mvn
