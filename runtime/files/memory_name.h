// In-memory file names: "mem://" names that stand for a block of memory
// wherever a file name is expected, and the registry of the blocks that may be
// opened through them.
#pragma once

#include "morvane/files.h"

#include <cstdint>
#include <string>

namespace mvn {



struct MemoryName {
  uint32_t length = 0;
  uintptr_t address = 0;
};

// Reads a name written by makeMemoryName: the length from character 6
// (leading spaces skipped) up to the "." at character 14, the address from
// character 15 to the end. Any other text is refused.
bool parseMemoryName(const char* name, MemoryName* out);

// True when exactly this block (same address and length) is registered.
bool isLiveMemoryBlock(const void* base, uint32_t length);

}  // namespace mvn
