// Loading slots from image files, and saving slots and the screen to files.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/values/rt_array.h"

namespace mvn {

class OpenGLRainbows;

// Decodes a resolved file (BMP, PNG, JPEG in this order; key -1 for none)
// into the slot; derived alpha gets the transparent-texel fill first.
bool loadImageFile(OpenGLRainbows& renderer, int slot, const char* name, int32_t key, bool bumpMap);

void loadSprite(const char* file, int slot);
void loadAnim(const char* file, int slot, int frameWidth, int frameHeight);
void loadBumpTexture(const char* file, int slot);

// Decodes a file as loadSprite does into packed pixels, element 0 the top-left
// pixel. 1, or 0 (error 3) when the file is not found or cannot be decoded.
int loadImageToMem(const char* file, int& width, int& height, std::vector<int32_t>& pixels);
// The program's form: the array is dimensioned to width x height; an
// unallocated one is a bad access (error 9, the end of the program).
int loadImageToMem(const char* file, int& width, int& height, RtArray<int32_t>& pixels);

void loadBackground(const char* file);

// Save the slot's image, or the whole window, to a PNG, JPEG or BMP file
// chosen by the name; error 3 when nothing is saved.
void saveSprite(const char* file, int slot);
void saveScreen(const char* file);

}  // namespace mvn
