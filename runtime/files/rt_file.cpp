#include "runtime/files/rt_file.h"

#include <cstring>

#include "runtime/files/memory_name.h"
#include "runtime/platform/files.h"

namespace mvn {

RtFile::~RtFile() { close(); }

bool RtFile::openRead(const char* name) {
  close();
  if (!name || !*name) return false;
  if (isMemoryName(name)) {
    // Only a block that was handed out and is still held may be read: any
    // other address in the text would read memory that is not a file.
    MemoryName block;
    if (!parseMemoryName(name, &block)) return false;
    const auto* base = reinterpret_cast<const unsigned char*>(block.address);
    if (!isLiveMemoryBlock(base, block.length)) return false;
    memoryBase = base;
    size = block.length;
    position = 0;
    return true;
  }
  handle = platform::openFileRead(name);
  if (handle == platform::kNoFile) return false;
  const int64_t bytes = platform::fileSize(handle);
  size = bytes < 0 ? 0 : bytes;
  position = 0;
  return true;
}

bool RtFile::openWrite(const char* name) {
  close();
  if (!name || !*name || isMemoryName(name)) return false;
  // An empty directory of that name goes; a file or link is replaced by the
  // create, which never writes through the old name.
  if (platform::pathKind(name) == platform::PathKind::Directory) removePath(name);
  handle = platform::createFile(name);
  return handle != platform::kNoFile;
}

bool RtFile::openAppend(const char* name) {
  close();
  if (!name || !*name || isMemoryName(name)) return false;
  handle = platform::openFileAppend(name);
  if (handle == platform::kNoFile) return false;
  const int64_t bytes = platform::fileSize(handle);
  size = bytes < 0 ? 0 : bytes;
  position = size;
  return true;
}

bool RtFile::read(void* destination, int64_t count) {
  if (count < 0) return false;
  if (handle != platform::kNoFile) {
    const int64_t at = position;
    position += count;
    return platform::readFileAt(handle, at, destination, count) == count;
  }
  if (memoryBase) {
    // The block may have been released since the open (a later look-up
    // frees it); a stale stream reads nothing.
    if (!isLiveMemoryBlock(memoryBase, static_cast<uint32_t>(size))) return false;
    if (position < 0 || position > size) return false;
    if (count > size - position) count = size - position;
    if (count > 0) std::memcpy(destination, memoryBase + position, static_cast<size_t>(count));
    position += count;
    return true;
  }
  return false;
}

bool RtFile::write(const void* source, int64_t count) {
  if (handle == platform::kNoFile || count <= 0) return false;
  const int64_t at = position;
  position += count;
  return platform::writeFileAt(handle, at, source, count);
}

void RtFile::seek(int64_t newPosition) {
  if (handle != platform::kNoFile || memoryBase) position = newPosition;
}

void RtFile::close() {
  platform::closeFile(handle);
  handle = platform::kNoFile;
  memoryBase = nullptr;
  size = 0;
  position = 0;
}

bool readExactly(RtFile& file, void* destination, int64_t count) {
  const int64_t before = file.position;
  return file.read(destination, count) && file.position - before == count;
}

}  // namespace mvn
