// Pixel passes of the sprite store that run on plain RGBA buffers, before
// anything reaches GL.
#pragma once

#include <cstdint>

namespace mvn {

// Side of the padded texture for an image side: the smallest power of two
// not below it, never less than 16.
int paddedSize(int side);

// Gives every transparent pixel the mean colour of its opaque neighbours
// inside the image (black when there are none), so that linear filtering at
// the edge of a keyed shape blends towards the shape's colour. Alpha stays 0.
void fillTransparentTexels(uint8_t* rgba, int width, int height);

// Replaces the buffer by the normal map of its blue channel (taken as a
// height), neighbours wrapping around at all four edges; alpha is kept.
// False, with the buffer untouched, when its working memory cannot be had.
bool makeNormalMap(uint8_t* rgba, int width, int height);

// Copies the region (x, y, width, height) of an image (rows top first) into a
// zeroed tw x th texture buffer, upside down: image row y goes to texture row
// height - 1.
void copyRegionFlipped(const uint8_t* image, int imageWidth, int imageHeight, int x, int y,
                       int width, int height, uint8_t* texture, int tw, int th);

// Builds the mip chain of a tw x th buffer in place: first squeezed to a
// square by pairwise averages, then level after level down to 1 x 1. Each
// level is handed to upload(level, side, pixels) as soon as it is computed.
template <typename Upload>
void buildMipChain(uint8_t* buffer, int tw, int th, Upload upload);

// One step of the chain: the side x side square at p (side >= 2) becomes the
// (side / 2) square at the start of the same buffer.
void reduceMipLevel(uint8_t* p, int side);

// Halves a W x H buffer (W > H) horizontally or (H > W) vertically in place.
void halveWidth(uint8_t* p, int width, int height);
void halveHeight(uint8_t* p, int width, int height);

template <typename Upload>
void buildMipChain(uint8_t* buffer, int tw, int th, Upload upload) {
  int w = tw;
  int h = th;
  while (w > h) {
    halveWidth(buffer, w, h);
    w /= 2;
  }
  while (h > w) {
    halveHeight(buffer, w, h);
    h /= 2;
  }
  int level = 0;
  upload(level, w, buffer);
  while (w > 1) {
    reduceMipLevel(buffer, w);
    w /= 2;
    upload(++level, w, buffer);
  }
}

}  // namespace mvn
