#include "runtime/gfx2d/sprites/slot_texels.h"

#include <algorithm>
#include <new>

#include "runtime/gfx2d/opengl_rainbows.h"

namespace mvn {

namespace {

int64_t scanned = 0;

bool texelsOpaque(const SlotTexels& t, int left, int top, int width, int height) {
  for (int y = top; y < top + height; ++y) {
    const uint8_t* p = t.texel(left, y);
    for (int x = 0; x < width; ++x) {
      if (p[4 * x + 3] != 255) return false;
    }
  }
  return true;
}

// The record of a frame size, made afresh in the place of the one asked
// least recently when the size is new; null when memory runs out.
FrameOpacity* frameOpacity(SlotTexels& t, int frameWidth, int frameHeight) {
  FrameOpacity* oldest = &t.frames[0];
  for (FrameOpacity& f : t.frames) {
    if (f.frameWidth == frameWidth && f.frameHeight == frameHeight) return &f;
    if (f.lastUse < oldest->lastUse) oldest = &f;
  }
  oldest->frameWidth = oldest->frameHeight = 0;
  try {
    oldest->state.assign(static_cast<size_t>(t.imageWidth / frameWidth) * (t.imageHeight / frameHeight), 0);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  oldest->frameWidth = frameWidth;
  oldest->frameHeight = frameHeight;
  return oldest;
}

void drop(OpenGLRainbows& r, int slot) {
  std::unique_ptr<SlotTexels>& t = r.slotTexels[slot];
  if (!t) return;
  SlotTexelLedger& ledger = r.slotTexelLedger;
  ledger.bytes -= t->bytes();
  ledger.slots.erase(std::find(ledger.slots.begin(), ledger.slots.end(), slot));
  t.reset();
}

// Drops the least recently drawn copies until `bytes` more fit the budget.
void makeRoom(OpenGLRainbows& r, int64_t bytes) {
  SlotTexelLedger& ledger = r.slotTexelLedger;
  while (ledger.bytes + bytes > keptTexelBudget && !ledger.slots.empty()) {
    const auto oldest = std::min_element(ledger.slots.begin(), ledger.slots.end(), [&r](int a, int b) {
      return r.slotTexels[a]->lastUse < r.slotTexels[b]->lastUse;
    });
    drop(r, *oldest);
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
  SlotTexelLedger& ledger = r.slotTexelLedger;
  try {
    ledger.slots.reserve(ledger.slots.size() + 1);
  } catch (const std::bad_alloc&) {
    return;
  }
  makeRoom(r, t->bytes());
  t->lastUse = ++ledger.clock;
  ledger.bytes += t->bytes();
  ledger.slots.push_back(slot);
  r.slotTexels[slot] = std::move(t);
}

void forgetSlotTexels(OpenGLRainbows& r, int slot) {
  if (isSlotNumber(slot)) drop(r, slot);
}

const SlotTexels* slotTexels(OpenGLRainbows& r, int slot) {
  if (!isSlotNumber(slot)) return nullptr;
  SlotTexels* t = r.slotTexels[slot].get();
  if (t) t->lastUse = ++r.slotTexelLedger.clock;
  return t;
}

bool rectOpaque(OpenGLRainbows& r, int slot, int left, int top, int width, int height) {
  if (!isSlotNumber(slot)) return false;
  SlotTexels* t = r.slotTexels[slot].get();
  if (!t || left < 0 || top < 0 || width < 1 || height < 1) return false;
  if (int64_t(left) + width > t->imageWidth || int64_t(top) + height > t->imageHeight) return false;
  t->lastUse = ++r.slotTexelLedger.clock;
  if (left == 0 && top == 0 && width == t->imageWidth && height == t->imageHeight) return t->imageOpaque;
  // Anything else is asked of animation frames: each frame found once per
  // frame size, when it is first asked.
  const SpriteSlot& s = r.spriteSlots[slot];
  if (width != s.frameWidth || height != s.frameHeight || left % width || top % height) return false;
  FrameOpacity* f = frameOpacity(*t, width, height);
  if (!f) return false;
  f->lastUse = t->lastUse;
  const size_t index = static_cast<size_t>(top / height) * (t->imageWidth / width) + left / width;
  if (index >= f->state.size()) return false;
  if (f->state[index] == 0) {
    ++scanned;
    f->state[index] = texelsOpaque(*t, left, top, width, height) ? 1 : 2;
  }
  return f->state[index] == 1;
}

int64_t framesScanned() { return scanned; }

}  // namespace mvn
