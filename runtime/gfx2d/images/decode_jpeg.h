// JPEG decoding into a DecodedImage.
#pragma once

#include "runtime/gfx2d/images/decoded_image.h"
#include "runtime/gfx2d/images/image_file.h"

namespace mvn {

// Decodes a JPEG of 1, 3 or 4 components (fancy upsampling off) from a disk
// file or an in-memory name. Gray gives red = green = blue; a fourth
// component becomes alpha and alphaFromFile stays 1 only then. No colour key.
// False (image cleared) for a missing file or a directory, another component
// count ("JPEG: Channels: %d not supported!" in the log), or data the library
// rejects (its message in the log).
bool decodeJpeg(DecodedImage& image, const ImageFile& file);
// The same, reading the file of that name (a disk file or an in-memory name).
bool decodeJpeg(DecodedImage& image, const char* name);

}  // namespace mvn
