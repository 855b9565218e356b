// One file stream over disk files and in-memory blocks ("mem://" names).
#pragma once

#include <cstdint>

namespace mvn {

struct RtFile {
  int handle = -1;                          // platform file handle, or -1
  const unsigned char* memoryBase = nullptr;  // block of an in-memory file
  int64_t size = 0;
  int64_t position = 0;

  RtFile() = default;
  ~RtFile();
  RtFile(const RtFile&) = delete;
  RtFile& operator=(const RtFile&) = delete;

  bool openRead(const char* name);
  bool openWrite(const char* name);
  bool openAppend(const char* name);
  bool read(void* destination, int64_t count);
  void write(const void* source, int64_t count);
  void seek(int64_t newPosition);
  int64_t getSize() const { return size; }
  void close();
};

bool fileExists(const char* name);
void removePath(const char* path);
int setCurrentDir(const char* path);

}  // namespace mvn
