#include "runtime/gfx2d/images/decoded_image.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace mvn {

int32_t imageSideLimit = 32767;

DecodedImage::DecodedImage(DecodedImage&& other) noexcept { *this = std::move(other); }

DecodedImage& DecodedImage::operator=(DecodedImage&& other) noexcept {
  if (this != &other) {
    clear();
    alphaFromFile = other.alphaFromFile;
    width = other.width;
    height = other.height;
    pixels = other.pixels;
    capacity = other.capacity;
    other.pixels = nullptr;
    other.clear();
  }
  return *this;
}

bool DecodedImage::prepare(int32_t newWidth, int32_t newHeight) {
  if (newWidth < 1 || newHeight < 1 || newWidth > imageSideLimit || newHeight > imageSideLimit) {
    clear();
    return false;
  }
  const int64_t needed = int64_t(newWidth) * newHeight * 4;
  if (capacity < needed) {
    std::free(pixels);
    pixels = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(needed)));
    capacity = pixels ? needed : 0;
    if (!pixels) {
      clear();
      return false;
    }
  }
  width = newWidth;
  height = newHeight;
  std::memset(pixels, 0, static_cast<size_t>(needed));
  return true;
}

void DecodedImage::clear() {
  std::free(pixels);
  pixels = nullptr;
  width = 0;
  height = 0;
  capacity = 0;
  alphaFromFile = 1;
}

}  // namespace mvn
