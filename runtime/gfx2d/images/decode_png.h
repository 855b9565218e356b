// PNG decoding into a DecodedImage.
#pragma once

#include <cstdint>

#include "runtime/gfx2d/images/decoded_image.h"
#include "runtime/gfx2d/images/image_file.h"

namespace mvn {

// Decodes a PNG whose result, after expanding palettes, low-bit gray and
// transparency chunks and stripping 16-bit samples, is 8-bit gray, RGB or
// RGBA. Gray and RGB pixels whose colour equals key become (0, 0, 0, 0) and
// alphaFromFile is 0; RGBA keeps the file's alpha. False (image cleared)
// when the file is not such a PNG or is damaged; library errors are logged.
bool decodePng(DecodedImage& image, const ImageFile& file, int32_t key);
// The same, reading the file of that name (a disk file or an in-memory name).
bool decodePng(DecodedImage& image, const char* name, int32_t key);

}  // namespace mvn
