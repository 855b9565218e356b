// Arbitrary bytes as a JPEG file: the library's errors come back as false.
#include "fuzz/decode_harness.h"
#include "runtime/gfx2d/images/decode_jpeg.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzharness::initialise(".jpg");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzharness::decodeBothWays(data, size, [](mvn::DecodedImage& image, const char* name) {
    return mvn::decodeJpeg(image, name);
  });
  return 0;
}
