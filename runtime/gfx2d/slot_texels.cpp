#include "runtime/gfx2d/slot_texels.h"

#include <new>

#include "runtime/gfx2d/opengl_rainbows.h"

namespace mvn {

namespace {

bool texelsOpaque(const SlotTexels& t, int left, int top, int width, int height) {
  for (int y = top; y < top + height; ++y) {
    const uint8_t* p = t.texel(left, y);
    for (int x = 0; x < width; ++x) {
      if (p[4 * x + 3] != 255) return false;
    }
  }
  return true;
}

// The opacity of every whole frame of the given size, row by row as frames are numbered.
void findFrameOpacity(SlotTexels& t, int frameWidth, int frameHeight) {
  t.opacityFrameWidth = frameWidth;
  t.opacityFrameHeight = frameHeight;
  t.frameOpacity.clear();
  const int columns = t.imageWidth / frameWidth;
  const int rows = t.imageHeight / frameHeight;
  t.frameOpacity.resize(static_cast<size_t>(columns) * rows);
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      t.frameOpacity[static_cast<size_t>(row) * columns + column] =
          texelsOpaque(t, column * frameWidth, row * frameHeight, frameWidth, frameHeight) ? 1 : 0;
    }
  }
}

}  // namespace

bool keepsTexels(int slot, int textureWidth, int textureHeight) {
  return slot >= 0 && slot <= lastProgramSlot && int64_t(textureWidth) * textureHeight <= largestKeptTexels;
}

void keepSlotTexels(OpenGLRainbows& r, int slot, std::unique_ptr<uint8_t[]> rgba, int textureWidth,
                    int textureHeight, int imageWidth, int imageHeight) {
  forgetSlotTexels(r, slot);
  if (!rgba || !keepsTexels(slot, textureWidth, textureHeight)) return;
  if (imageWidth < 1 || imageHeight < 1 || imageWidth > textureWidth || imageHeight > textureHeight) return;
  std::unique_ptr<SlotTexels> t(new (std::nothrow) SlotTexels);
  if (!t) return;
  t->textureWidth = textureWidth;
  t->textureHeight = textureHeight;
  t->imageWidth = imageWidth;
  t->imageHeight = imageHeight;
  t->rgba = std::move(rgba);
  t->imageOpaque = texelsOpaque(*t, 0, 0, imageWidth, imageHeight);
  r.slotTexels[slot] = std::move(t);
}

void forgetSlotTexels(OpenGLRainbows& r, int slot) {
  if (isSlotNumber(slot)) r.slotTexels[slot].reset();
}

const SlotTexels* slotTexels(const OpenGLRainbows& r, int slot) {
  return isSlotNumber(slot) ? r.slotTexels[slot].get() : nullptr;
}

bool rectOpaque(OpenGLRainbows& r, int slot, int left, int top, int width, int height) {
  if (!isSlotNumber(slot)) return false;
  SlotTexels* t = r.slotTexels[slot].get();
  if (!t || left < 0 || top < 0 || width < 1 || height < 1) return false;
  if (int64_t(left) + width > t->imageWidth || int64_t(top) + height > t->imageHeight) return false;
  if (left == 0 && top == 0 && width == t->imageWidth && height == t->imageHeight) return t->imageOpaque;
  // Anything else is asked of animation frames: found once per frame size.
  const SpriteSlot& s = r.spriteSlots[slot];
  if (width != s.frameWidth || height != s.frameHeight || left % width || top % height) return false;
  if (t->opacityFrameWidth != width || t->opacityFrameHeight != height) findFrameOpacity(*t, width, height);
  const size_t index = static_cast<size_t>(top / height) * (t->imageWidth / width) + left / width;
  return index < t->frameOpacity.size() && t->frameOpacity[index] != 0;
}

}  // namespace mvn
