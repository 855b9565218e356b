// Decoding any image file the runtime reads.
#pragma once

#include <cstdint>

#include "runtime/gfx2d/images/decoded_image.h"

namespace mvn {

// Tries decodeBmp, decodePng and decodeJpeg in this order on the resolved
// name; the key applies to BMP and PNG only. True when one of them filled the
// image; false (image cleared) when none could read the file.
bool decodeImageFile(DecodedImage& image, const char* name, int32_t key);

}  // namespace mvn
