// Decoding any image file the runtime reads.
#pragma once

#include <cstdint>

#include "runtime/gfx2d/images/decoded_image.h"

namespace mvn {

// Reads the resolved name once and tries decodeBmp, decodePng and decodeJpeg
// on its bytes in this order; the key applies to BMP and PNG only. True when
// one of them filled the image; false (image cleared) when the file cannot be
// read or none could decode it.
bool decodeImageFile(DecodedImage& image, const char* name, int32_t key);

}  // namespace mvn
