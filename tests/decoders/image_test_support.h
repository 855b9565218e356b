// Helpers of the decoder tests: the corpus, expected pixels, temporary files,
// in-memory names and the runtime log.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/gfx2d/images/decoded_image.h"

namespace mvn::test {

using Bytes = std::vector<unsigned char>;

// RGBA pixels of a picture, rows from the top.
struct Picture {
  int width = 0;
  int height = 0;
  Bytes rgba;

  const unsigned char* at(int x, int y) const { return rgba.data() + (size_t(y) * width + x) * 4; }
  unsigned char* at(int x, int y) { return rgba.data() + (size_t(y) * width + x) * 4; }
};

std::string corpusPath(const std::string& name);
Bytes readBytes(const std::string& path);
void writeBytes(const std::string& path, const Bytes& bytes);

// A path in a scratch folder of the process's own in the temporary
// directory, unique per call; the folder is removed when the process ends.
std::string tempPath(const std::string& suffix);

// Reads a PNM or PAM file (gray, gray with alpha, RGB, RGBA) as RGBA.
Picture readNetpbm(const std::string& path);

// The image as a Picture, for comparison.
Picture pictureOf(const DecodedImage& image);

// Pixels equal to the key become (0, 0, 0, 0).
Picture withKey(Picture picture, int32_t key);

// Every channel of every pixel within tolerance (0: exact); describes the
// first difference otherwise.
::testing::AssertionResult samePicture(const Picture& expected, const Picture& actual,
                                       int tolerance = 0);

// A registered block holding bytes, and its in-memory name.
class MemoryFile {
 public:
  explicit MemoryFile(Bytes bytes);
  ~MemoryFile();
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;
  const char* name() const { return name_.c_str(); }

 private:
  Bytes bytes_;
  std::string name_;
};

// The runtime log's text, and its removal before a case.
std::string logText();
void clearLog();

}  // namespace mvn::test
