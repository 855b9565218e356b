// Loading slots from image files, and saving slots and the screen to files.
#pragma once

#include "morvane/sprites.h"

#include <cstdint>
#include <vector>

#include "runtime/values/rt_array.h"

namespace mvn {

class OpenGLRainbows;

// Decodes a resolved file (BMP, PNG, JPEG in this order; key -1 for none)
// into the slot; derived alpha gets the transparent-texel fill first.
bool loadImageFile(OpenGLRainbows& renderer, int slot, const char* name, int32_t key, bool bumpMap);



// Decodes a file as loadSprite does into packed pixels, element 0 the top-left
// pixel. 1, or 0 (error 3) when the file is not found or cannot be decoded.
int loadImageToMem(const char* file, int& width, int& height, std::vector<int32_t>& pixels);





}  // namespace mvn
