// A decoded picture: 8-bit red, green, blue and alpha per pixel, top row first.
#pragma once

#include <cstdint>

namespace mvn {

// Largest width or height the decoders accept. The sprite store keeps image
// sizes in signed 16-bit fields, so nothing larger can be shown; the check
// comes before any allocation. Fuzzing lowers it to keep allocations small.
extern int32_t imageSideLimit;

// Packed colour key meaning "no key" (keys are red + 256 green + 65536 blue).
constexpr int32_t kNoColourKey = -1;

struct DecodedImage {
  // 1 when the alpha came from an alpha channel of the file (also the value
  // of a fresh or cleared image); 0 when it was derived from an opaque format
  // or the colour key.
  unsigned char alphaFromFile = 1;
  int32_t width = 0;
  int32_t height = 0;
  unsigned char* pixels = nullptr;  // width * height * 4 bytes, owned
  int64_t capacity = 0;             // bytes; 32767^2 * 4 needs more than 31 bits

  DecodedImage() = default;
  ~DecodedImage() { clear(); }
  DecodedImage(const DecodedImage&) = delete;
  DecodedImage& operator=(const DecodedImage&) = delete;
  DecodedImage(DecodedImage&& other) noexcept;
  DecodedImage& operator=(DecodedImage&& other) noexcept;

  // Sets the size and zeroes width * height * 4 bytes, reusing the buffer when
  // it is large enough and replacing it by one of exactly that size otherwise.
  // Sizes outside 1..imageSideLimit or a failed allocation: false, image cleared.
  bool prepare(int32_t newWidth, int32_t newHeight);

  // Releases the buffer; sizes and capacity 0, alphaFromFile 1.
  void clear();

  unsigned char* row(int32_t y) { return pixels + int64_t(y) * width * 4; }
  const unsigned char* row(int32_t y) const { return pixels + int64_t(y) * width * 4; }
};

// True when red + 256 green + 65536 blue equals the key (never for kNoColourKey).
inline bool matchesColourKey(int32_t key, unsigned red, unsigned green, unsigned blue) {
  return key != kNoColourKey && int32_t(red | green << 8 | blue << 16) == key;
}

// Stores an opaque pixel, or four zero bytes when its colour is the key.
inline void putKeyedPixel(unsigned char* out, int32_t key, unsigned red, unsigned green,
                          unsigned blue) {
  const bool transparent = matchesColourKey(key, red, green, blue);
  out[0] = transparent ? 0 : static_cast<unsigned char>(red);
  out[1] = transparent ? 0 : static_cast<unsigned char>(green);
  out[2] = transparent ? 0 : static_cast<unsigned char>(blue);
  out[3] = transparent ? 0 : 255;
}

}  // namespace mvn
