#include "runtime/gfx2d/drawing/collision.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <new>

#include "runtime/core/runtime_objects.h"
#include "runtime/gfx2d/drawing/drawing.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/drawing/texture_binding.h"
#include "runtime/platform/gl_pixels.h"

namespace mvn {

namespace {

// One side of a collision test: a rectangle of a slot's image placed on screen.
struct Placed {
  const SpriteSlot* slot = nullptr;
  const AlphaMask* mask = nullptr;
  int64_t imageLeft = 0;  // image column of the rectangle's left edge
  int64_t imageTop = 0;   // image row of its top edge
  int64_t x = 0, y = 0;   // screen position of its top-left corner
  int64_t width = 0, height = 0;
};

// True when the image pixel under screen point (px, py) is not transparent.
// Points outside the image (frames past its end) are transparent.
bool solidAt(const Placed& p, int64_t px, int64_t py) {
  const int64_t ix = p.imageLeft + (px - p.x);
  const int64_t iy = p.imageTop + (py - p.y);
  if (ix < 0 || iy < 0 || ix >= p.slot->imageWidth || iy >= p.slot->imageHeight) return false;
  const int64_t row = p.slot->imageHeight - 1 - iy;  // texture rows run bottom up
  if (ix >= p.mask->width || row >= p.mask->height) return false;
  return p.mask->alpha[size_t(row * p.mask->width + ix)] != 0;
}

int collide(OpenGLRainbows& r, Placed a, int slotA, Placed b, int slotB) {
  const int64_t left = std::max(a.x, b.x);
  const int64_t right = std::min(a.x + a.width, b.x + b.width);
  const int64_t top = std::max(a.y, b.y);
  const int64_t bottom = std::min(a.y + a.height, b.y + b.height);
  if (right <= left || bottom <= top) return 0;
  a.mask = alphaMaskOf(r, slotA);
  b.mask = alphaMaskOf(r, slotB);
  if (!a.mask || !b.mask) return 0;
  auto hit = [&](int64_t px, int64_t py) { return solidAt(a, px, py) && solidAt(b, px, py); };
  // Centre first, then a coarse grid, then everything: overlaps are found early.
  if (hit((left + right) / 2, (top + bottom) / 2)) return 1;
  for (int64_t py = top; py < bottom; py += 2) {
    for (int64_t px = left; px < right; px += 2) {
      if (hit(px, py)) return 1;
    }
  }
  for (int64_t py = top; py < bottom; ++py) {
    for (int64_t px = left; px < right; ++px) {
      if (hit(px, py)) return 1;
    }
  }
  return 0;
}

bool loaded(const OpenGLRainbows& r, int slot) {
  return isSlotNumber(slot) && r.spriteSlots[slot].imageWidth > 0;
}

// The rectangle of a frame (the whole image for a slot without frame size).
Placed frameOf(const OpenGLRainbows& r, int slot, int frame, int x, int y) {
  Placed p;
  p.slot = &r.spriteSlots[slot];
  p.x = x;
  p.y = y;
  int column, row;
  if (framePosition(*p.slot, frame, column, row)) {
    p.width = p.slot->frameWidth;
    p.height = p.slot->frameHeight;
    p.imageLeft = int64_t(column) * p.width;
    p.imageTop = int64_t(row) * p.height;
  } else {
    p.width = p.slot->imageWidth;
    p.height = p.slot->imageHeight;
  }
  return p;
}

}  // namespace

const AlphaMask* alphaMaskOf(OpenGLRainbows& r, int slot) {
  if (!loaded(r, slot) || r.spriteSlots[slot].texture == 0) return nullptr;
  if (r.alphaMasks[slot]) return r.alphaMasks[slot].get();
  bindSlot(r, slot);
  int width = 0, height = 0;
  platform::boundTextureSize(width, height);
  if (width <= 0 || height <= 0) return nullptr;
  std::unique_ptr<AlphaMask> mask(new (std::nothrow) AlphaMask);
  if (!mask) return nullptr;
  const size_t bytes = std::max<size_t>(size_t(width) * height, 64);
  mask->alpha.reset(new (std::nothrow) uint8_t[bytes]());
  if (!mask->alpha) return nullptr;
  mask->width = width;
  mask->height = height;
  platform::readBoundTexture(GL_ALPHA, 1, mask->alpha.get());
  r.alphaMasks[slot] = std::move(mask);
  return r.alphaMasks[slot].get();
}

int spriteCollision(int slotA, int xA, int yA, int slotB, int xB, int yB) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r || !loaded(*r, slotA) || !loaded(*r, slotB)) return 0;
  Placed a, b;
  a.slot = &r->spriteSlots[slotA];
  a.x = xA, a.y = yA, a.width = a.slot->imageWidth, a.height = a.slot->imageHeight;
  b.slot = &r->spriteSlots[slotB];
  b.x = xB, b.y = yB, b.width = b.slot->imageWidth, b.height = b.slot->imageHeight;
  return collide(*r, a, slotA, b, slotB);
}

int animCollision(int slotA, int frameA, int xA, int yA, int slotB, int frameB, int xB, int yB) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r || !loaded(*r, slotA) || !loaded(*r, slotB)) return 0;
  return collide(*r, frameOf(*r, slotA, frameA, xA, yA), slotA, frameOf(*r, slotB, frameB, xB, yB), slotB);
}

}  // namespace mvn
