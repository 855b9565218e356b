// Shared body of the image decoder fuzz targets: the input is decoded once
// from a disk file and once from a registered in-memory block; both must give
// the same answer and the same pixels, and a failure must leave the image
// cleared. Sides are limited to 1024 so that honest headers of large images
// cannot exhaust the fuzzer's memory; the limit itself is covered by tests.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "runtime/files/memory_name.h"
#include "runtime/files/rt_file.h"
#include "runtime/gfx2d/images/decoded_image.h"

namespace fuzzharness {

inline std::string scratchDir;
inline std::string diskName;

inline void removeScratch() {
  std::error_code ignored;
  std::filesystem::remove_all(scratchDir, ignored);
}

inline void initialise(const char* extension) {
  char dir[] = "/tmp/fuzz_decode_XXXXXX";
  if (!mkdtemp(dir)) abort();
  setenv("TMPDIR", dir, 1);  // the runtime log stays here
  scratchDir = dir;
  diskName = scratchDir + "/input" + extension;
  mvn::imageSideLimit = 1024;
  atexit(removeScratch);
}

inline void checkCleared(const mvn::DecodedImage& image) {
  if (image.pixels || image.width || image.height || image.capacity || image.alphaFromFile != 1) {
    abort();
  }
}

template <typename Decode>
void decodeBothWays(const uint8_t* data, size_t size, Decode decode) {
  mvn::RtFile out;
  if (!out.openWrite(diskName.c_str())) abort();
  if (size) out.write(data, static_cast<int64_t>(size));
  out.close();
  mvn::DecodedImage fromDisk;
  const bool diskOk = decode(fromDisk, diskName.c_str());
  if (!diskOk) checkCleared(fromDisk);

  unsigned char* block = new unsigned char[size ? size : 1];
  if (size) std::memcpy(block, data, size);
  mvn::registerMemoryBlock(block, static_cast<uint32_t>(size));
  const std::string name = mvn::makeMemoryName(block, static_cast<uint32_t>(size));
  mvn::DecodedImage fromMemory;
  // A reused, larger buffer must not change the outcome.
  if (!fromMemory.prepare(40, 40)) abort();
  const bool memoryOk = decode(fromMemory, name.c_str());
  mvn::unregisterMemoryBlock(block);
  delete[] block;

  if (diskOk != memoryOk) abort();
  if (!memoryOk) {
    checkCleared(fromMemory);
    return;
  }
  const size_t bytes = size_t(fromDisk.width) * fromDisk.height * 4;
  if (fromDisk.width != fromMemory.width || fromDisk.height != fromMemory.height ||
      fromDisk.alphaFromFile != fromMemory.alphaFromFile ||
      std::memcmp(fromDisk.pixels, fromMemory.pixels, bytes) != 0) {
    abort();
  }
}

}  // namespace fuzzharness
