// BMP decoding into a DecodedImage.
#pragma once

#include <cstdint>

#include "runtime/gfx2d/images/decoded_image.h"
#include "runtime/gfx2d/images/image_file.h"

namespace mvn {

// Decodes an uncompressed or bit-field BMP (core, 40, 108 or 124-byte
// header; 1, 4, 8, 16, 24 or 32 bits per pixel). Pixels whose colour equals
// key become (0, 0, 0, 0); alphaFromFile is 0. False when the file is not a
// BMP this decoder supports or is damaged; the image is then cleared.
bool decodeBmp(DecodedImage& image, const ImageFile& file, int32_t key);
// The same, reading the file of that name (a disk file or an in-memory name).
bool decodeBmp(DecodedImage& image, const char* name, int32_t key);

}  // namespace mvn
