// The bytes of one image file, read once, and the cursor a decoder reads them
// through, so that the decoders tried in turn all take the same bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace mvn {

// The whole of one file, and the name it was read by (for messages).
struct ImageFile {
  std::unique_ptr<unsigned char[]> bytes;
  int64_t size = 0;
  std::string name;
};

// Reads the whole of a disk file or an in-memory name through the file layer.
// False for a missing name, a directory, or a file that cannot be read whole
// or held in memory.
bool readImageFile(const char* name, ImageFile& file);

// A read position over an ImageFile's bytes, read as a file stream is.
struct ImageBytes {
  const unsigned char* data = nullptr;
  int64_t size = 0;
  int64_t position = 0;

  explicit ImageBytes(const ImageFile& file) : data(file.bytes.get()), size(file.size) {}
  int64_t getSize() const { return size; }
  void seek(int64_t newPosition) { position = newPosition; }
};

// Copies count bytes from the position on and moves past them; false, with
// nothing copied, when fewer are left.
bool readExactly(ImageBytes& bytes, void* destination, int64_t count);

}  // namespace mvn
