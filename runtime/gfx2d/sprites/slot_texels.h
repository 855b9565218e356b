// The texels each program slot's texture received at its upload, kept on the
// CPU, and which of the slot's animation frames are opaque.
//
// Drawing consults them to leave out work that cannot change a pixel: a frame
// whose own texels all have alpha 255 is drawn unblended even when the rest of
// its texture is transparent, and a run of such frames drawn pixel for pixel
// is copied together on the CPU (run_composite.h). A texture's texels change
// only when the slot's texture is made again (createTexture), which replaces
// the copy.
//
// The copies share a budget (keptTexelBudget bytes): a copy that would
// exceed it displaces the least recently drawn ones. A slot without a copy
// is drawn the ordinary way, with the same pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace mvn {

class OpenGLRainbows;

// Which frames of one frame size are opaque, found as each is first asked.
struct FrameOpacity {
  int frameWidth = 0;
  int frameHeight = 0;
  uint64_t lastUse = 0;
  std::vector<uint8_t> state;  // per frame as frames are numbered: 0 unknown, 1 opaque, 2 not
};

// A slot texture's texels as uploaded: RGBA, rows from the bottom, the padded
// texture's size, the image in its bottom left corner.
struct SlotTexels {
  int textureWidth = 0;
  int textureHeight = 0;
  int imageWidth = 0;
  int imageHeight = 0;
  std::unique_ptr<uint8_t[]> rgba;
  bool imageOpaque = false;  // every texel of the image (not the padding) has alpha 255
  uint64_t lastUse = 0;      // the ledger's clock when the slot was last drawn
  // The frame sizes asked most recently (a program may alternate several).
  static constexpr int frameSizesKept = 4;
  FrameOpacity frames[frameSizesKept];

  // The texel of image column x, image row y counted from the top.
  const uint8_t* texel(int x, int y) const {
    return rgba.get() + (static_cast<size_t>(imageHeight - 1 - y) * textureWidth + x) * 4;
  }
  int64_t bytes() const { return int64_t(textureWidth) * textureHeight * 4; }
};

// What the kept copies of one renderer cost together, and which slots hold one.
struct SlotTexelLedger {
  int64_t bytes = 0;
  uint64_t clock = 0;
  std::vector<int> slots;
};

// Largest texture whose texels are kept (4 MB of them).
constexpr int64_t largestKeptTexels = 1024 * 1024;
// What all kept copies of a renderer may cost together.
constexpr int64_t keptTexelBudget = int64_t(64) << 20;

// True for the textures whose texels are kept: a program slot's, of no more
// than largestKeptTexels.
bool keepsTexels(int slot, int textureWidth, int textureHeight);

// Keeps the texels a slot's texture was just made from (where keepsTexels;
// others keep none), displacing the least recently drawn copies beyond the
// budget.
void keepSlotTexels(OpenGLRainbows& renderer, int slot, std::unique_ptr<uint8_t[]> rgba,
                    int textureWidth, int textureHeight, int imageWidth, int imageHeight);

// Drops a slot's texels (its texture is deleted or made anew).
void forgetSlotTexels(OpenGLRainbows& renderer, int slot);

// The slot's texels, or null when none are kept; asking counts as drawing it.
const SlotTexels* slotTexels(OpenGLRainbows& renderer, int slot);

// True when every texel of the image rectangle (left, top, width, height; rows
// from the top) is known to have alpha 255. False when the rectangle leaves
// the image or no texels are kept.
bool rectOpaque(OpenGLRainbows& renderer, int slot, int left, int top, int width, int height);

// How many frames have had their texels looked at so far (each once per
// frame size kept).
int64_t framesScanned();

}  // namespace mvn
