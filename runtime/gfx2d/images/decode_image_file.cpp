#include "runtime/gfx2d/images/decode_image_file.h"

#include "runtime/gfx2d/images/decode_bmp.h"
#include "runtime/gfx2d/images/decode_jpeg.h"
#include "runtime/gfx2d/images/decode_png.h"

namespace mvn {

bool decodeImageFile(DecodedImage& image, const char* name, int32_t key) {
  return decodeBmp(image, name, key) || decodePng(image, name, key) || decodeJpeg(image, name);
}

}  // namespace mvn
