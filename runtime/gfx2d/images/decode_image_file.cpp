#include "runtime/gfx2d/images/decode_image_file.h"

#include "runtime/gfx2d/images/decode_bmp.h"
#include "runtime/gfx2d/images/decode_jpeg.h"
#include "runtime/gfx2d/images/decode_png.h"
#include "runtime/gfx2d/images/image_file.h"

namespace mvn {

bool decodeImageFile(DecodedImage& image, const char* name, int32_t key) {
  ImageFile file;
  if (!readImageFile(name, file)) {
    image.clear();
    return false;
  }
  return decodeBmp(image, file, key) || decodePng(image, file, key) || decodeJpeg(image, file);
}

}  // namespace mvn
