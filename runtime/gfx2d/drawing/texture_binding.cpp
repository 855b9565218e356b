#include "runtime/gfx2d/drawing/texture_binding.h"

#include <GL/gl.h>

#include "runtime/gfx2d/drawing/draw_batch.h"
#include "runtime/gfx2d/drawing/gl_extensions.h"
#include "runtime/gfx2d/drawing/gl_state.h"
#include "runtime/gfx2d/opengl_rainbows.h"

namespace mvn {

namespace {

// textureParams bits: wrap in bits 0-1, filter in bits 2-3; 0 = not known.
constexpr uint8_t wrapRepeat = 1, wrapClamp = 2, wrapMask = 3;
constexpr uint8_t filterLinear = 4, filterNearest = 8, filterMask = 12;

constexpr uint32_t unknownTexture = 0xFFFFFFFFu;

// The slot whose parameter record describes the texture bound on unit 0, or -1.
int paramsSlot = -1;

void bindUnit0(OpenGLRainbows& r, uint32_t name, int recordSlot) {
  if (r.boundTexture != name) {
    flushDrawBatch();
    glBindTexture(GL_TEXTURE_2D, name);
    r.boundTexture = name;
  }
  // Texture 0 is shared by every empty slot: nothing is known of it.
  paramsSlot = name != 0 ? recordSlot : -1;
}

void setParam(OpenGLRainbows& r, uint8_t mask, uint8_t value, GLenum p1, GLenum p2, GLint v) {
  if (paramsSlot >= 0) {
    uint8_t& known = r.textureParams[paramsSlot];
    if ((known & mask) == value) return;
    known = static_cast<uint8_t>((known & ~mask) | value);
  }
  flushDrawBatch();
  glTexParameteri(GL_TEXTURE_2D, p1, v);
  glTexParameteri(GL_TEXTURE_2D, p2, v);
}

uint32_t nameOf(OpenGLRainbows& r, int slot, bool useMip, const uint32_t* nameList) {
  if (nameList) return nameList[slot];
  return useMip ? r.spriteSlots[slot].mipTexture : r.spriteSlots[slot].texture;
}

}  // namespace

void applyWrap(OpenGLRainbows& r, bool clamp) {
  const GLint mode = clamp ? GL_CLAMP_TO_EDGE : GL_REPEAT;
  setParam(r, wrapMask, clamp ? wrapClamp : wrapRepeat, GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T, mode);
}

void applyFilter(OpenGLRainbows& r) {
  const bool linear = r.smoothing == 1;
  setParam(r, filterMask, linear ? filterLinear : filterNearest, GL_TEXTURE_MAG_FILTER,
           GL_TEXTURE_MIN_FILTER, linear ? GL_LINEAR : GL_NEAREST);
}

namespace {

// The wrap of a texture set to GL_REPEAT outside unit 0's record: the slot's
// record learns it; a listed name may be any slot's texture, so every record
// naming it forgets its wrap. (A mip copy has no record.)
void noteRepeatWrap(OpenGLRainbows& r, uint32_t name, int recordSlot, bool listed) {
  if (recordSlot >= 0) {
    uint8_t& known = r.textureParams[recordSlot];
    known = static_cast<uint8_t>((known & ~wrapMask) | wrapRepeat);
    return;
  }
  if (!listed || name == 0) return;
  for (int i = 0; i < slotCount; ++i) {
    if (r.spriteSlots[i].texture == name) r.textureParams[i] &= static_cast<uint8_t>(~wrapMask);
  }
}

void bindSlotTexture(OpenGLRainbows& r, int slot, int secondSlot, bool useMip,
                     const uint32_t* nameList, bool setRepeat) {
  if (!isSlotNumber(slot)) slot = -1;
  if (!isSlotNumber(secondSlot)) secondSlot = -1;
  r.currentSlot = slot;
  r.currentSecondSlot = secondSlot;
  r.currentUseMip = useMip;
  // Only the plain texture has a parameter record; a mip copy or a listed name does not.
  const int recordSlot = (useMip || nameList) ? -1 : slot;

  if (!activeTextureEntry()) {
    if (slot < 0) {
      setCapability(GlCap::texture2D, false);
      setCapability(GlCap::colourMaterial, true);
      return;
    }
    bindUnit0(r, nameOf(r, slot, useMip, nameList), recordSlot);
    setCapability(GlCap::texture2D, true);
    if (setRepeat) applyWrap(r, false);
    return;
  }

  const bool useUnit1 = slot >= 0 && secondSlot >= 0;
  // Unit 0 is always left active; unit 1 is touched only when its state changes.
  if (useUnit1 || !capabilityKnown(GlCap::texture2DUnit1, false)) {
    flushDrawBatch();
    activeTextureEntry()(GL_TEXTURE0 + 1);
    if (useUnit1) {
      const uint32_t name = nameOf(r, slot, useMip, nameList);
      glBindTexture(GL_TEXTURE_2D, name);
      setCapability(GlCap::texture2DUnit1, true);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
      // Parameters belong to the texture, not to the unit: the record of the
      // texture's slot must learn the wrap set here.
      noteRepeatWrap(r, name, recordSlot, nameList != nullptr);
    } else {
      setCapability(GlCap::texture2DUnit1, false);
    }
    activeTextureEntry()(GL_TEXTURE0);
  }
  if (slot < 0) {
    setCapability(GlCap::texture2D, false);
    return;
  }
  const int unit0Slot = secondSlot >= 0 ? secondSlot : slot;
  // The second slot's texture on unit 0 has a record of its own (the plain texture).
  bindUnit0(r, nameOf(r, unit0Slot, useMip, nameList), (useMip || nameList) ? -1 : unit0Slot);
  setCapability(GlCap::texture2D, true);
  if (setRepeat) applyWrap(r, false);
}

}  // namespace

void bindSlot(OpenGLRainbows& r, int slot, int secondSlot, bool useMip, const uint32_t* nameList) {
  bindSlotTexture(r, slot, secondSlot, useMip, nameList, true);
}

void bindSlotForDrawing(OpenGLRainbows& r, int slot) {
  bindSlotTexture(r, slot, -1, false, nullptr, false);
  if (r.currentSlot >= 0) applyFilter(r);
}

bool boundTextureOpaque(const OpenGLRainbows& r) {
  const int slot = r.currentSlot;
  if (!isSlotNumber(slot) || r.currentSecondSlot >= 0 || r.currentUseMip) return false;
  const SpriteSlot& s = r.spriteSlots[slot];
  return s.opaque && s.texture != 0 && r.boundTexture == s.texture;
}

void bindTextureName(OpenGLRainbows& r, uint32_t name, int recordSlot) {
  // The texture is about to be (re)made: queued draws sample it as it is now.
  flushDrawBatch();
  bindUnit0(r, name, recordSlot);
}

void forgetTextureParams(OpenGLRainbows& r, int slot) {
  if (isSlotNumber(slot)) r.textureParams[slot] = 0;
}

void forgetBindings(OpenGLRainbows& r) {
  r.boundTexture = unknownTexture;
  paramsSlot = -1;
  for (int i = 0; i < slotCount; ++i) r.textureParams[i] = 0;
}

void deleteTexture(OpenGLRainbows& r, uint32_t& name) {
  if (name == 0) return;
  flushDrawBatch();
  GLuint n = name;
  glDeleteTextures(1, &n);
  // A deleted bound texture leaves texture 0 bound, and its name may come back.
  if (r.boundTexture == name) {
    r.boundTexture = 0;
    paramsSlot = -1;
  }
  name = 0;
}

}  // namespace mvn
