// Pixel-exact collision of two placed images or animation frames.
#pragma once

namespace mvn {

class OpenGLRainbows;
struct AlphaMask;

// The slot's cached alpha mask, read back from its texture on first use;
// null for an empty slot.
const AlphaMask* alphaMaskOf(OpenGLRainbows& renderer, int slot);

// 1 when non-transparent pixels of the two images, top-left corners at the
// given points, overlap; else 0.
int spriteCollision(int slotA, int xA, int yA, int slotB, int xB, int yB);

// The same for two animation frames (a slot without frame size is one frame
// covering its image). Frames outside the image have no pixels.
int animCollision(int slotA, int frameA, int xA, int yA, int slotB, int frameB, int xB, int yB);

}  // namespace mvn
