// In-memory file names: "mem://" names that stand for a block of memory
// wherever a file name is expected, and the registry of the blocks that may be
// opened through them.
#pragma once

#include <cstdint>
#include <string>

namespace mvn {

// True when name begins with "mem://" (exact, case-sensitive).
bool isMemoryName(const char* name);

// "mem://%8x.%8lx": the length in hexadecimal padded with spaces to 8
// characters, ".", then the address padded to at least 8.
std::string makeMemoryName(const void* base, uint32_t length);

struct MemoryName {
  uint32_t length = 0;
  uintptr_t address = 0;
};

// Reads a name written by makeMemoryName: the length from character 6
// (leading spaces skipped) up to the "." at character 14, the address from
// character 15 to the end. Any other text is refused.
bool parseMemoryName(const char* name, MemoryName* out);

// Producers of in-memory names register each block while they hold it and
// unregister it before freeing it; only a registered block can be opened.
void registerMemoryBlock(const void* base, uint32_t length);
void unregisterMemoryBlock(const void* base);
// True when exactly this block (same address and length) is registered.
bool isLiveMemoryBlock(const void* base, uint32_t length);

}  // namespace mvn
