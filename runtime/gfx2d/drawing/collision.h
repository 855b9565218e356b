// Pixel-exact collision of two placed images or animation frames.
#pragma once

#include "morvane/drawing.h"

namespace mvn {

class OpenGLRainbows;
struct AlphaMask;

// The slot's cached alpha mask, read back from its texture on first use;
// null for an empty slot.
const AlphaMask* alphaMaskOf(OpenGLRainbows& renderer, int slot);





}  // namespace mvn
