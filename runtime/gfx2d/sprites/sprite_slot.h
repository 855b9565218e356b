// One numbered image of the renderer: its texture and the sizes drawing needs.
#pragma once

#include <cstdint>

namespace mvn {

constexpr int slotCount = 65537;        // slots 0 to 65536
constexpr int lastProgramSlot = 65503;  // highest slot a free-slot search hands out
constexpr int firstFontSlot = 65504;    // 65504 + f holds the image of font f
constexpr int renderTargetCount = 32;
constexpr int backgroundSlotCount = 8;

struct SpriteSlot {
  uint32_t texture = 0;     // GL texture holding the padded image, rows bottom up
  uint32_t mipTexture = 0;  // square mip-mapped copy (program slots only)
  float uExtent = 0;        // imageWidth / textureWidth
  float vExtent = 0;        // imageHeight / textureHeight
  int16_t textureWidth = 0;
  int16_t textureHeight = 0;
  int16_t imageWidth = 0;   // 0: the slot is empty
  int16_t imageHeight = 0;
  int16_t frameWidth = 0;   // 0: not an animation
  int16_t frameHeight = 0;
  // Every texel of the padded texture has alpha 255 (found at upload): any
  // sample of it, filtered or not, has alpha 255.
  bool opaque = false;
};

inline bool isSlotNumber(int slot) { return slot >= 0 && slot < slotCount; }

}  // namespace mvn
