// Writing a DecodedImage to a PNG, JPEG or BMP file.
#pragma once

#include "runtime/gfx2d/images/decoded_image.h"

namespace mvn {

// Writes the image (rows top first, red, green, blue, alpha) so that the file
// shows it upright. The format follows the name: a name longer than four
// characters ending in ".png" gives an 8-bit RGBA PNG, one ending in ".jpg" a
// quality-80 RGB JPEG (alpha dropped), any other name a 24-bit BMP (alpha
// dropped); the extension's letters may be of either case. In-memory names
// cannot be written; an existing file or directory of the name is replaced.
// True on success; false for an empty image, an unwritable name or a library
// error (its message then goes to the runtime log).
bool saveImage(const char* name, const DecodedImage& image);

}  // namespace mvn
