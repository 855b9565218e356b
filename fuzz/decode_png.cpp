// Arbitrary bytes as a PNG file, with and without a colour key.
#include "fuzz/decode_harness.h"
#include "runtime/gfx2d/images/decode_png.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzharness::initialise(".png");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int32_t key = size % 2 ? 0x8000FF : mvn::kNoColourKey;
  fuzzharness::decodeBothWays(data, size, [key](mvn::DecodedImage& image, const char* name) {
    return mvn::decodePng(image, name, key);
  });
  return 0;
}
