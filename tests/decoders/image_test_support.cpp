#include <gtest/gtest.h>

#include "tests/decoders/image_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <iterator>
#include <sstream>

#include "runtime/core/log.h"
#include "runtime/files/memory_name.h"

namespace mvn::test {

std::string corpusPath(const std::string& name) {
  return std::string(MORVANE_SOURCE_DIR) + "/tests/data/images/" + name;
}

Bytes readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

namespace {

// A folder of this process's own, made afresh: a name an earlier process of
// the same id left behind is passed over (process ids come round again, soon
// under Wine). Removed with everything in it when the process ends.
struct ScratchFolder {
  std::filesystem::path path;

  ScratchFolder() {
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error) base = ".";
    for (int attempt = 0; attempt < 1000; ++attempt) {
      path = base / ("decoders_" + std::to_string(::getpid()) + "_" + std::to_string(attempt));
      if (std::filesystem::create_directory(path, error)) return;
    }
    ADD_FAILURE() << "no scratch folder could be made in " << base;
  }
  ~ScratchFolder() {
    std::error_code error;
    std::filesystem::remove_all(path, error);
  }
};

}  // namespace

std::string tempPath(const std::string& suffix) {
  static ScratchFolder folder;
  static int counter = 0;
  return (folder.path / ("file_" + std::to_string(++counter) + suffix)).string();
}

Picture readNetpbm(const std::string& path) {
  const Bytes bytes = readBytes(path);
  std::string text(bytes.begin(), bytes.end());
  std::istringstream in(text);
  std::string magic;
  in >> magic;
  int width = 0, height = 0, depth = 0, maxval = 0;
  if (magic == "P7") {
    std::string key;
    while (in >> key && key != "ENDHDR") {
      if (key == "WIDTH") in >> width;
      else if (key == "HEIGHT") in >> height;
      else if (key == "DEPTH") in >> depth;
      else if (key == "MAXVAL") in >> maxval;
      else std::getline(in, key);
    }
  } else {
    in >> width >> height >> maxval;
    depth = magic == "P5" ? 1 : 3;
  }
  in.get();  // the single whitespace before the samples
  const size_t start = size_t(in.tellg());
  Picture p{width, height, Bytes(size_t(width) * height * 4)};
  for (size_t i = 0; i < size_t(width) * height; ++i) {
    const unsigned char* s = bytes.data() + start + i * depth;
    unsigned char* d = p.rgba.data() + i * 4;
    const bool gray = depth <= 2;
    d[0] = s[0];
    d[1] = gray ? s[0] : s[1];
    d[2] = gray ? s[0] : s[2];
    d[3] = depth == 2 ? s[1] : depth == 4 ? s[3] : 255;
  }
  return p;
}

Picture pictureOf(const DecodedImage& image) {
  Picture p{image.width, image.height, {}};
  if (image.pixels) p.rgba.assign(image.pixels, image.pixels + size_t(image.width) * image.height * 4);
  return p;
}

Picture withKey(Picture picture, int32_t key) {
  for (size_t i = 0; i < picture.rgba.size(); i += 4) {
    unsigned char* px = &picture.rgba[i];
    if (matchesColourKey(key, px[0], px[1], px[2])) px[0] = px[1] = px[2] = px[3] = 0;
  }
  return picture;
}

::testing::AssertionResult samePicture(const Picture& expected, const Picture& actual,
                                       int tolerance) {
  if (expected.width != actual.width || expected.height != actual.height) {
    return ::testing::AssertionFailure() << "size " << actual.width << "x" << actual.height
                                         << ", expected " << expected.width << "x" << expected.height;
  }
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      for (int c = 0; c < 4; ++c) {
        const int e = expected.at(x, y)[c], a = actual.at(x, y)[c];
        if (std::abs(e - a) > tolerance) {
          return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") channel " << c
                                               << " is " << a << ", expected " << e;
        }
      }
    }
  }
  return ::testing::AssertionSuccess();
}

MemoryFile::MemoryFile(Bytes bytes) : bytes_(std::move(bytes)) {
  if (bytes_.empty()) bytes_.reserve(1);  // a real address even for no bytes
  registerMemoryBlock(bytes_.data(), uint32_t(bytes_.size()));
  name_ = makeMemoryName(bytes_.data(), uint32_t(bytes_.size()));
}

MemoryFile::~MemoryFile() { unregisterMemoryBlock(bytes_.data()); }

std::string logText() {
  const Bytes bytes = readBytes(logPath());
  return std::string(bytes.begin(), bytes.end());
}

void clearLog() { std::remove(logPath().c_str()); }

}  // namespace mvn::test
