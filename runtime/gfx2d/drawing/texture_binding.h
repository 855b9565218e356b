// Binding a slot's texture for drawing, and the wrap and filter parameters of
// the bound texture.
//
// The renderer remembers which texture is bound and what each slot texture's
// wrap and filter are, so that repeated drawing issues no GL call. Code that
// binds a texture or changes its parameters itself calls forgetBindings().
#pragma once

#include <cstdint>

namespace mvn {

class OpenGLRainbows;

// Binds the slot's texture on unit 0 (the mip copy when useMip, or
// nameList[slot] when a name list is given), with wrap GL_REPEAT; slot -1
// leaves texturing off. With multitexturing, secondSlot >= 0 puts slot on
// unit 1 and secondSlot on unit 0. Records currentSlot.
void bindSlot(OpenGLRainbows& renderer, int slot, int secondSlot = -1, bool useMip = false,
              const uint32_t* nameList = nullptr);

// bindSlot(slot) and the filter for a drawing command, which then sets the
// wrap mode it samples with itself (clamped for quads, repeated for frames),
// so that alternating commands do not toggle it twice per call.
void bindSlotForDrawing(OpenGLRainbows& renderer, int slot);

// Filter of the bound slot texture: linear when smoothing is on, else nearest.
void applyFilter(OpenGLRainbows& renderer);

// Wrap mode of the bound slot texture: GL_CLAMP_TO_EDGE when clamp, else GL_REPEAT.
void applyWrap(OpenGLRainbows& renderer, bool clamp);

// True when the texture bound on unit 0 is the plain texture of the slot
// drawing uses (currentSlot, no second slot, no mip copy) and that slot's
// texture is opaque in every texel.
bool boundTextureOpaque(const OpenGLRainbows& renderer);

// Forget what is known of a slot texture's parameters (after it is re-created
// or deleted elsewhere), and of every binding (after a context change).
void forgetTextureParams(OpenGLRainbows& renderer, int slot);
void forgetBindings(OpenGLRainbows& renderer);

// Binds a texture name on unit 0 directly (texture creation); recordSlot is
// the slot whose plain texture it is, or -1.
void bindTextureName(OpenGLRainbows& renderer, uint32_t name, int recordSlot);

// Deletes a texture name, keeping the binding record right.
void deleteTexture(OpenGLRainbows& renderer, uint32_t& name);

}  // namespace mvn
