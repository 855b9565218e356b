// The texels each program slot's texture received at its upload, kept on the
// CPU, and which of the slot's animation frames are opaque.
//
// Drawing consults them to leave out work that cannot change a pixel: a frame
// whose own texels all have alpha 255 is drawn unblended even when the rest of
// its texture is transparent, and a run of such frames drawn pixel for pixel
// is copied together on the CPU (run_composite.h). A texture's texels change
// only when the slot's texture is made again (createTexture), which replaces
// the copy; a new frame size is noticed at the next question.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace mvn {

class OpenGLRainbows;

// A slot texture's texels as uploaded: RGBA, rows from the bottom, the padded
// texture's size, the image in its bottom left corner.
struct SlotTexels {
  int textureWidth = 0;
  int textureHeight = 0;
  int imageWidth = 0;
  int imageHeight = 0;
  std::unique_ptr<uint8_t[]> rgba;
  bool imageOpaque = false;  // every texel of the image (not the padding) has alpha 255
  // Per frame of the frame size they were found for, 1 when opaque.
  int opacityFrameWidth = 0;
  int opacityFrameHeight = 0;
  std::vector<uint8_t> frameOpacity;

  // The texel of image column x, image row y counted from the top.
  const uint8_t* texel(int x, int y) const {
    return rgba.get() + (static_cast<size_t>(imageHeight - 1 - y) * textureWidth + x) * 4;
  }
};

// Largest texture whose texels are kept (4 MB of them).
constexpr int64_t largestKeptTexels = 1024 * 1024;

// True for the textures whose texels are kept: a program slot's, of no more
// than largestKeptTexels.
bool keepsTexels(int slot, int textureWidth, int textureHeight);

// Keeps the texels a slot's texture was just made from (where keepsTexels;
// others keep none).
void keepSlotTexels(OpenGLRainbows& renderer, int slot, std::unique_ptr<uint8_t[]> rgba,
                    int textureWidth, int textureHeight, int imageWidth, int imageHeight);

// Drops a slot's texels (its texture is deleted or made anew).
void forgetSlotTexels(OpenGLRainbows& renderer, int slot);

// The slot's texels, or null when none are kept.
const SlotTexels* slotTexels(const OpenGLRainbows& renderer, int slot);

// True when every texel of the image rectangle (left, top, width, height; rows
// from the top) is known to have alpha 255. False when the rectangle leaves
// the image or no texels are kept.
bool rectOpaque(OpenGLRainbows& renderer, int slot, int left, int top, int width, int height);

}  // namespace mvn
