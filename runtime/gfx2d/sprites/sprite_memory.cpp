#include "runtime/gfx2d/sprites/sprite_memory.h"

#include <GL/gl.h>

#include <algorithm>
#include <new>

#include "runtime/core/runtime_objects.h"
#include "runtime/gfx2d/drawing/draw_batch.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/sprites/sprite_store.h"
#include "runtime/gfx2d/drawing/texture_binding.h"
#include "runtime/gfx2d/drawing/view.h"
#include "runtime/platform/gl_pixels.h"
#include "runtime/values/errors.h"
#include "runtime/values/error_trace.h"

namespace mvn {

namespace {

uint32_t pack(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void unpack(uint32_t v, uint8_t* p) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
  p[3] = uint8_t(v >> 24);
}

// Sizes a buffer whose size the program or a file chose; false, with error 7
// and the buffer as it was, when the memory cannot be had.
template <typename T>
bool sizeBuffer(std::vector<T>& buffer, size_t count, const char* command, int slot) {
  try {
    buffer.resize(count);
    return true;
  } catch (const std::bad_alloc&) {
    failWith(7, "out of memory for the pixels", command, slot);
    return false;
  }
}

}  // namespace

int memToSprite(const int32_t* pixels, int64_t count, int slot, int width, int height) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return 0;
  if (!isSlotNumber(slot)) {
    failWith(7, "slot number outside 0..65536", "memToSprite", "pixels", slot, width, height);
    return 0;
  }
  if (width <= 0 || height <= 0 || int64_t(width) * height != count || !pixels) return 0;
  std::vector<uint8_t> rgba;
  try {
    rgba.resize(size_t(count) * 4);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  for (int64_t i = 0; i < count; ++i) unpack(uint32_t(pixels[i]), &rgba[size_t(i) * 4]);
  const bool uploaded = uploadImage(*r, slot, ImageView{rgba.data(), width, height}, false);
  forgetEmptyFont(*r, slot);
  return uploaded ? 1 : 0;
}

bool readSlotImage(OpenGLRainbows& r, int slot, std::vector<uint8_t>& rgba, int& width, int& height) {
  if (!isSlotNumber(slot)) return false;
  const SpriteSlot& s = r.spriteSlots[slot];
  if (s.imageWidth <= 0 || s.imageHeight <= 0 || s.texture == 0) return false;
  bindSlot(r, slot);
  // The texture may be a render target's surface with drawing queued into it.
  flushDrawBatch();
  // Only an error of the read-back itself counts: earlier ones are dropped.
  for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
  }
  int tw = 0, th = 0;
  platform::boundTextureSize(tw, th);
  if (tw < s.imageWidth || th < s.imageHeight) return false;
  std::vector<uint8_t> texture;
  if (!sizeBuffer(texture, size_t(tw) * th * 4, "readSlotImage", slot)) return false;
  platform::readBoundTexture(GL_RGBA, 4, texture.data());
  if (glGetError() != GL_NO_ERROR) return false;
  if (!sizeBuffer(rgba, size_t(s.imageWidth) * s.imageHeight * 4, "readSlotImage", slot)) return false;
  width = s.imageWidth;
  height = s.imageHeight;
  for (int y = 0; y < height; ++y) {
    std::copy_n(&texture[size_t(y) * tw * 4], size_t(width) * 4, &rgba[size_t(y) * width * 4]);
  }
  return true;
}

int spriteToMem(std::vector<int32_t>& pixels, int slot) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return 0;
  std::vector<uint8_t> rgba;
  int width = 0, height = 0;
  if (!readSlotImage(*r, slot, rgba, width, height)) return 0;
  if (!sizeBuffer(pixels, size_t(width) * height, "spriteToMem", slot)) return 0;
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = int32_t(pack(&rgba[i * 4]));
  return 1;
}

int memToSprite(const RtArray<int32_t>& pixels, int slot, int width, int height) {
  if (!pixels.data) {
    pixels(0);  // reports the access and ends the program
    return 0;
  }
  return memToSprite(pixels.data, pixels.total, slot, width, height);
}

int spriteToMem(RtArray<int32_t>& pixels, int slot) {
  if (!pixels.data) pixels(0);  // reports the access and ends the program
  std::vector<int32_t> read;
  if (!pixels.data || !spriteToMem(read, slot)) return 0;
  if (!pixels.dimension(int(read.size()))) return 0;
  std::copy(read.begin(), read.end(), pixels.data);
  return 1;
}

bool grabScreen(OpenGLRainbows& r, int slot, int x, int y, int width, int height) {
  if (!isSlotNumber(slot) || width <= 0 || height <= 0) return false;
  // Nothing larger than a texture can hold, and no sum below overflows.
  width = std::min(width, largestTextureSide);
  height = std::min(height, largestTextureSide);
  x = std::clamp(x, -(1 << 24), 1 << 24);
  y = std::clamp(y, -(1 << 24), 1 << 24);
  // The window rectangle under the program rectangle, whatever the view's turn and scale.
  int c0, r0, c1, r1;
  windowPixelOf(r, x, y, c0, r0);
  windowPixelOf(r, x + width - 1, y + height - 1, c1, r1);
  const int left = std::max(0, std::min(c0, c1));
  const int top = std::max(0, std::min(r0, r1));
  const int right = std::min(r.windowWidth - 1, std::max(c0, c1));
  const int bottom = std::min(r.windowHeight - 1, std::max(r0, r1));
  std::vector<uint8_t> screen;
  const int sw = right - left + 1, sh = bottom - top + 1;
  std::vector<uint8_t> image;
  if (!sizeBuffer(image, size_t(width) * height * 4, "grabSprite", slot)) return false;
  if (sw > 0 && sh > 0) {
    if (!sizeBuffer(screen, size_t(sw) * sh * 4, "grabSprite", slot)) return false;
    flushDrawBatch();
    platform::readFramePixels(left, r.windowHeight - 1 - bottom, sw, sh, GL_RGBA, 1, screen.data());
  }
  for (int py = 0; py < height; ++py) {
    for (int px = 0; px < width; ++px) {
      uint8_t* out = &image[(size_t(py) * width + px) * 4];
      int column, row;
      // A screen copy is opaque, whatever alpha the back buffer holds; outside the window: black.
      out[3] = 255;
      if (!windowPixelOf(r, x + px, y + py, column, row) || sw <= 0 || sh <= 0) continue;
      if (column < left || column > right || row < top || row > bottom) continue;
      const uint8_t* in = &screen[(size_t(bottom - row) * sw + (column - left)) * 4];
      out[0] = in[0], out[1] = in[1], out[2] = in[2];
    }
  }
  r.spriteSlots[slot].frameWidth = r.spriteSlots[slot].frameHeight = 0;
  return uploadImage(r, slot, ImageView{image.data(), width, height}, false);
}

void grabSprite(int slot, int x, int y, int width, int height) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return;
  if (!isSlotNumber(slot) || width <= 0 || height <= 0) {
    failWith(7, isSlotNumber(slot) ? "a side of the rectangle is below 1" : "slot number outside 0..65536",
             "grabSprite", slot, x, y, width, height);
    return;
  }
  grabScreen(*r, slot, x, y, width, height);
  forgetEmptyFont(*r, slot);
}

}  // namespace mvn
