#include "runtime/gfx2d/images/image_file.h"

#include <cstring>
#include <new>

#include "runtime/files/rt_file.h"

namespace mvn {

bool readImageFile(const char* name, ImageFile& file) {
  file.bytes.reset();
  file.size = 0;
  file.name = name ? name : "";
  // fileExists is true for in-memory names and false for directories.
  RtFile stream;
  if (!name || !fileExists(name) || !stream.openRead(name)) return false;
  const int64_t size = stream.getSize();
  if (size < 0) return false;
  file.bytes.reset(new (std::nothrow) unsigned char[size_t(size) + 1]);
  if (!file.bytes || (size > 0 && !readExactly(stream, file.bytes.get(), size))) {
    file.bytes.reset();
    return false;
  }
  file.size = size;
  return true;
}

bool readExactly(ImageBytes& bytes, void* destination, int64_t count) {
  if (count < 0 || bytes.position < 0 || bytes.position > bytes.size ||
      count > bytes.size - bytes.position) {
    return false;
  }
  if (count > 0) std::memcpy(destination, bytes.data + bytes.position, size_t(count));
  bytes.position += count;
  return true;
}

}  // namespace mvn
