#include "runtime/gfx2d/sprites/sprite_store.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "runtime/core/runtime_objects.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/drawing/run_composite.h"
#include "runtime/gfx2d/sprites/slot_texels.h"
#include "runtime/gfx2d/drawing/texture_binding.h"
#include "runtime/gfx2d/sprites/texture_pixels.h"
#include "runtime/platform/gl_pixels.h"
#include "runtime/values/errors.h"
#include "runtime/values/error_trace.h"

namespace mvn {

namespace {

void setUnpackState() {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
}

void setWrapAndFilter(GLint filterMin, GLint filterMag) {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filterMag);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filterMin);
}

bool everyTexelOpaque(const uint8_t* rgba, int texels) {
  for (int i = 0; i < texels; ++i) {
    if (rgba[4 * i + 3] != 255) return false;
  }
  return true;
}

int slotIndexOf(const OpenGLRainbows& r, const SpriteSlot& record) {
  const SpriteSlot* first = r.spriteSlots.get();
  if (&record < first || &record >= first + slotCount) return -1;
  return static_cast<int>(&record - first);
}

}  // namespace

void freeSlot(OpenGLRainbows& r, int slot) {
  if (!isSlotNumber(slot)) return;
  r.alphaMasks[slot].reset();
  bindSlot(r, -1);
  SpriteSlot& s = r.spriteSlots[slot];
  deleteTexture(r, s.texture);
  deleteTexture(r, s.mipTexture);
  forgetTextureParams(r, slot);
  forgetSlotTexels(r, slot);
  s.textureWidth = s.textureHeight = -1;
  s.imageWidth = s.imageHeight = 0;
  s.uExtent = s.vExtent = 1.0f;
  s.opaque = false;
}

void forgetEmptyFont(OpenGLRainbows& r, int slot) {
  const int font = slot - firstFontSlot;
  if (isFontNumber(font) && r.spriteSlots[slot].imageWidth < 1) clearGlyphs(r.fonts, font);
}

void freeAllSlots(OpenGLRainbows& r) {
  for (int slot = 0; slot < slotCount; ++slot) {
    const SpriteSlot& s = r.spriteSlots[slot];
    if (s.texture != 0 || s.mipTexture != 0 || s.imageWidth != 0 || r.alphaMasks[slot]) freeSlot(r, slot);
  }
  for (int& background : r.backgroundSlots) {
    if (isSlotNumber(background)) freeSlot(r, background);
    background = -1;
  }
  releaseCompositeTexture();
}

bool createTexture(OpenGLRainbows& r, const ImageView& image, int x, int y, int width, int height,
                   SpriteSlot& record, uint32_t* mipTarget, bool bumpMap, bool nearest,
                   TextureExtent* extent) {
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  const int limit = std::min<int>(maxSize > 0 ? maxSize : 64, largestTextureSide);

  if (width == 0) width = image.width - x;
  if (height == 0) height = image.height - y;
  if (width < 1 || height < 1 || !image.pixels) return false;
  width = std::min(width, limit);
  height = std::min(height, limit);
  const int tw = paddedSize(width);
  const int th = paddedSize(height);

  std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[static_cast<size_t>(tw) * th * 4]());
  if (!buffer) return false;
  copyRegionFlipped(image.pixels, image.width, image.height, x, y, width, height, buffer.get(), tw,
                    th);

  setUnpackState();
  const int recordSlot = slotIndexOf(r, record);
  if (record.texture != 0) {
    // The name is reused: a fresh texture object under the same number.
    const uint32_t name = record.texture;
    deleteTexture(r, record.texture);
    record.texture = name;
  } else {
    GLuint name = 0;
    glGenTextures(1, &name);
    record.texture = name;
  }
  forgetTextureParams(r, recordSlot);
  forgetSlotTexels(r, recordSlot);
  bindTextureName(r, record.texture, -1);
  const GLint filter = nearest ? GL_NEAREST : GL_LINEAR;
  setWrapAndFilter(filter, filter);
  if (bumpMap && !makeNormalMap(buffer.get(), tw, th)) return false;
  platform::uploadTextureRgba(0, tw, th, buffer.get());
  record.opaque = everyTexelOpaque(buffer.get(), tw * th);

  // The texels are kept for drawing (slot_texels.h); the mip chain is then
  // built on a copy, since it is built in place.
  const bool keep = keepsTexels(recordSlot, tw, th);
  std::unique_ptr<uint8_t[]> mipBuffer;
  if (mipTarget && keep) {
    mipBuffer.reset(new (std::nothrow) uint8_t[static_cast<size_t>(tw) * th * 4]);
    if (mipBuffer) std::memcpy(mipBuffer.get(), buffer.get(), static_cast<size_t>(tw) * th * 4);
  }
  if (mipTarget) {
    uint8_t* chain = mipBuffer ? mipBuffer.get() : buffer.get();
    setUnpackState();
    GLuint mipName = 0;
    glGenTextures(1, &mipName);
    *mipTarget = mipName;
    bindTextureName(r, mipName, -1);
    setWrapAndFilter(GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR);
    buildMipChain(chain, tw, th, [](int level, int side, const uint8_t* pixels) {
      platform::uploadTextureRgba(level, side, side, pixels);
    });
  }
  if (keep && (!mipTarget || mipBuffer)) keepSlotTexels(r, recordSlot, std::move(buffer), tw, th, width, height);
  if (extent) *extent = {width, height, tw, th};
  return true;
}

bool uploadImage(OpenGLRainbows& r, int slot, const ImageView& image, bool bumpMap) {
  if (!isSlotNumber(slot)) return false;
  const int target = renderTargetOf(r, slot);
  freeSlot(r, slot);
  if (image.width <= 0 || image.height <= 0) return false;

  SpriteSlot& s = r.spriteSlots[slot];
  const bool font = slot >= firstFontSlot;  // the font slots and the last one
  TextureExtent e;
  const bool made = font ? createTexture(r, image, 0, 0, 0, 0, s, nullptr, false, true, &e)
                         : createTexture(r, image, 0, 0, 0, 0, s, &s.mipTexture, bumpMap, false, &e);
  if (!made) {
    freeSlot(r, slot);
    return false;
  }
  s.textureHeight = static_cast<int16_t>(e.textureHeight);
  s.textureWidth = static_cast<int16_t>(e.textureWidth);
  s.imageWidth = static_cast<int16_t>(e.width);
  s.imageHeight = static_cast<int16_t>(e.height);
  s.uExtent = static_cast<float>(s.imageWidth) / static_cast<float>(s.textureWidth);
  s.vExtent = static_cast<float>(s.imageHeight) / static_cast<float>(s.textureHeight);
  if (target >= 0) reattachRenderTarget(r, target, slot);
  return true;
}

int findFreeSlot(const OpenGLRainbows& r) {
  for (int slot = lastProgramSlot; slot >= 0; --slot) {
    if (r.spriteSlots[slot].imageWidth == 0) return slot;
  }
  return -1;
}

int renderTargetOf(const OpenGLRainbows& r, int slot) {
  for (int i = 0; i < renderTargetCount; ++i) {
    if (r.renderTargets[i].slot == slot) return i;
  }
  return -1;
}

// Render targets keep no surface of their own in this renderer: naming the
// slot again is all a re-creation amounts to.
void reattachRenderTarget(OpenGLRainbows& r, int target, int slot) {
  if (target >= 0 && target < renderTargetCount) r.renderTargets[target].slot = slot;
}

void setAnimFrameSize(int slot, int frameWidth, int frameHeight) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r || !isSlotNumber(slot)) return;
  if (frameWidth < 0 || frameHeight < 0 || frameWidth > 32767 || frameHeight > 32767) {
    failWith(7, "frame size outside 0..32767", "setAnimFrameSize", slot, frameWidth, frameHeight);
    return;
  }
  SpriteSlot& s = r->spriteSlots[slot];
  if (s.imageWidth <= 0) return;
  s.frameWidth = static_cast<int16_t>(frameWidth);
  s.frameHeight = static_cast<int16_t>(frameHeight);
}

void setTransparency(int colour) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return;
  r->colourKey = colour;
  r->fontColourKey = colour;
}

void getSpriteSize(int slot, int& width, int& height) {
  width = height = 0;
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r || !isSlotNumber(slot)) return;
  width = r->spriteSlots[slot].imageWidth;
  height = r->spriteSlots[slot].imageHeight;
}

void getSpriteSize(int slot, double& width, double& height) {
  int w = 0, h = 0;
  getSpriteSize(slot, w, h);
  width = w;
  height = h;
}

uint32_t spriteTextureId(int slot) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r || !isSlotNumber(slot)) return 0;
  return r->spriteSlots[slot].texture;
}

}  // namespace mvn
