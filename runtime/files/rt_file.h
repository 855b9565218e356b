// One file stream over disk files and in-memory blocks ("mem://" names).
#pragma once

#include "morvane/files.h"

#include <cstdint>

namespace mvn {

// Closed (no handle, no block), disk (handle set) or memory (block set).
// Disk files are opened exclusively; names may use "/" or "\" as separator.
struct RtFile {
  int handle = -1;                            // platform file handle, or -1
  const unsigned char* memoryBase = nullptr;  // block of an in-memory file
  int64_t size = 0;                           // size recorded at opening
  int64_t position = 0;

  RtFile() = default;
  ~RtFile();
  RtFile(const RtFile&) = delete;
  RtFile& operator=(const RtFile&) = delete;

  // A disk file, or an in-memory name of a block its producer still holds.
  bool openRead(const char* name);
  // Creates an empty disk file, replacing a file or directory of that name.
  bool openWrite(const char* name);
  // Opens or creates a disk file and positions at its end.
  bool openAppend(const char* name);
  // Disk: true when exactly count bytes arrived. Memory: copies what is left
  // of the block up to count and succeeds; fails only past the end.
  bool read(void* destination, int64_t count);
  // Writes at the position (disk state only); true when all bytes went out.
  bool write(const void* source, int64_t count);
  void seek(int64_t newPosition);
  int64_t getSize() const { return size; }
  void close();
};

// Like read, but true only when all count bytes were delivered, in memory too.
bool readExactly(RtFile& file, void* destination, int64_t count);


}  // namespace mvn
