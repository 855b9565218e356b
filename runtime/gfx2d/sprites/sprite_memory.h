// Slot images to and from packed pixels and the screen.
//
// Packed pixels: red in bits 0-7, green 8-15, blue 16-23, alpha 24-31.
#pragma once

#include "morvane/sprites.h"

#include <cstdint>
#include <vector>

#include "runtime/values/rt_array.h"

namespace mvn {

class OpenGLRainbows;

// Uploads width x height packed pixels (element 0 top left, rows from the
// top) into the slot. 1, or 0 when count is not width x height, a side is not
// positive or the upload fails (the slot then untouched or empty).
int memToSprite(const int32_t* pixels, int64_t count, int slot, int width, int height);



// Reads the slot's image back from its texture: width x height packed pixels,
// element 0 the bottom-left pixel, rows going upwards. 1, or 0 for an empty
// slot or a failed read-back (pixels untouched).
int spriteToMem(std::vector<int32_t>& pixels, int slot);

// The slot's image as RGBA bytes, bottom row first; false for an empty slot.
bool readSlotImage(OpenGLRainbows& renderer, int slot, std::vector<uint8_t>& rgba, int& width,
                   int& height);

// Copies a rectangle of the current screen (program coordinates) into the
// slot as an opaque image; the slot's mask goes and its frame size becomes 0.
bool grabScreen(OpenGLRainbows& renderer, int slot, int x, int y, int width, int height);


}  // namespace mvn
