// The renderer's numbered sprite slots: texture creation, upload and release.
#pragma once

#include "morvane/sprites.h"

#include <cstdint>

namespace mvn {

class OpenGLRainbows;
struct SpriteSlot;
struct DecodedImage;

// RGBA pixels, rows from the top, that the store can upload.
struct ImageView {
  const uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
};

// The part of an image that a texture received, and the texture's size.
struct TextureExtent {
  int width = 0;
  int height = 0;
  int textureWidth = 0;
  int textureHeight = 0;
};

// Largest image side a slot records: the padded texture side must fit its
// 16-bit field.
constexpr int largestTextureSide = 16384;

// Empties a slot: mask released, nothing bound, textures deleted, sizes reset;
// the frame size is kept. Numbers outside the table do nothing.
void freeSlot(OpenGLRainbows& renderer, int slot);

// Frees every slot and every background slot (which become -1): the
// renderer's textures go with its context.
void freeAllSlots(OpenGLRainbows& renderer);

// Makes the padded, flipped texture of a region of an image (width or height
// 0: to the image's edge) in slotRecord.texture, and the mip chain in
// *mipTarget when given. The part that fits the largest texture is copied;
// extent (when given) receives its size. False when nothing can be made.
bool createTexture(OpenGLRainbows& renderer, const ImageView& image, int x, int y, int width,
                   int height, SpriteSlot& slotRecord, uint32_t* mipTarget, bool bumpMap,
                   bool nearest, TextureExtent* extent = nullptr);

// After a sprite command: a font slot the command left without an image
// leaves its font without glyphs, as a failed loadFont does.
void forgetEmptyFont(OpenGLRainbows& r, int slot);

// Uploads an image into a slot (slots from firstFontSlot up: nearest
// filtering, no mip copy).
bool uploadImage(OpenGLRainbows& renderer, int slot, const ImageView& image, bool bumpMap);

// The same for decoded images.
bool createTexture(OpenGLRainbows& renderer, const DecodedImage& image, int x, int y, int width,
                   int height, SpriteSlot& slotRecord, uint32_t* mipTarget, bool bumpMap,
                   bool nearest, TextureExtent* extent = nullptr);
bool uploadImage(OpenGLRainbows& renderer, int slot, const DecodedImage& image, bool bumpMap);

// The highest empty slot at or below lastProgramSlot, or -1.
int findFreeSlot(const OpenGLRainbows& renderer);

// The first render target drawing into the slot, or -1; reattaching lets it
// name the slot again after the slot's texture was re-created.
int renderTargetOf(const OpenGLRainbows& renderer, int slot);
void reattachRenderTarget(OpenGLRainbows& renderer, int target, int slot);


uint32_t spriteTextureId(int slot);

}  // namespace mvn
