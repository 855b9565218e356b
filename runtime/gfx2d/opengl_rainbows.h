// The single renderer object: its window and context, its sprite slots, its
// drawing state and view. Each group of fields is kept by the module that
// implements it; construction and destruction are shared between them.
#pragma once

#include <cstdint>
#include <memory>

#include "runtime/gfx2d/font_tables.h"
#include "runtime/gfx2d/sprites/slot_texels.h"
#include "runtime/gfx2d/sprites/sprite_slot.h"
#include "runtime/platform/gl_context.h"
#include "runtime/platform/window.h"

namespace mvn {

// A cached copy of a slot texture's alpha channel, one byte per texel of the
// padded texture, row 0 at the bottom.
struct AlphaMask {
  int width = 0;
  int height = 0;
  std::unique_ptr<uint8_t[]> alpha;
};

// An off-screen drawing surface; only the slot it draws into is kept here.
struct RenderTarget {
  int slot = -1;
};

// A rectangle in the program's coordinates.
struct ViewRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

class OpenGLRainbows {
 public:
  OpenGLRainbows();
  virtual ~OpenGLRainbows();
  OpenGLRainbows(const OpenGLRainbows&) = delete;
  OpenGLRainbows& operator=(const OpenGLRainbows&) = delete;

  // --- window and context (runtime/app) ---
  platform::WindowHandle window = nullptr;  // the drawing window
  int windowWidth = 0;                      // drawing size: client area or display mode
  int windowHeight = 0;
  int colourBits = 0;                       // the desktop's depth unless named
  uint8_t fullScreenActive = 0;             // the display mode has been changed
  platform::ModuleHandle instance = nullptr;
  platform::GLContextHandle glContext = nullptr;
  double nextFrameTime = 0;                 // earliest time of the next frame, ms
  double framePeriod = 0;                   // ms per frame

  // --- OpenGL capabilities (runtime/app) ---
  uint8_t bgraSupported = 0;  // pixels may be read back in BGRA order

  // --- sprite slots (runtime/gfx2d) ---
  std::unique_ptr<SpriteSlot[]> spriteSlots;        // slotCount records
  std::unique_ptr<std::unique_ptr<AlphaMask>[]> alphaMasks;  // slotCount entries
  std::unique_ptr<std::unique_ptr<SlotTexels>[]> slotTexels;  // slotCount entries (slot_texels.h)
  SlotTexelLedger slotTexelLedger;
  // Wrap and filter last set on each slot's texture (see texture_binding.h).
  std::unique_ptr<uint8_t[]> textureParams;
  int32_t colourKey = 0x8000FF;   // transparent colour of sprite loading
  int32_t fontColourKey = 0;      // transparent colour of font loading
  int currentSlot = -1;           // slot whose texture is bound, -1 for none
  int currentSecondSlot = -1;
  bool currentUseMip = false;
  uint32_t boundTexture = 0;      // texture name bound on unit 0
  uint8_t smoothing = 1;          // 1: linear filtering when drawing
  RenderTarget renderTargets[renderTargetCount];

  // --- drawing state, view and frame state (runtime/gfx2d) ---
  float globalAlpha = 1;          // alpha of everything drawn
  float tint[3] = {1, 1, 1};      // red, green, blue images and shapes are multiplied by
  float alphaTestRef = 1;         // 1: alpha test off
  uint8_t clearEachFrame = 1;
  float clearColour[4] = {0, 0, 0, 0};  // what glClearColor holds (clearScreen)
  uint8_t clearDepthPending = 1;
  int backgroundSlots[backgroundSlotCount] = {-1, -1, -1, -1, -1, -1, -1, -1};
  int currentRenderTarget = -1;   // -1: drawing goes to the window
  int orientation = 0;            // 0..3: screen turned by 0, 90, 180, 270 degrees
  int virtualWidth = 0;           // 0: the window size
  int virtualHeight = 0;
  ViewRect viewport;
  // The view maps a program pixel to one surface pixel: the window, unturned
  // and unscaled (set with the view).
  bool viewOneToOne = false;
  // Program pixels to surface pixels of the view: above 1 it magnifies.
  float viewScale = 1;
  int cameraX = 0;                // what is drawn moves by (-cameraX, -cameraY)
  int cameraY = 0;

  // --- fonts: scales, glyph tables, text vertex buffer (runtime/gfx2d/font_*) ---
  FontTables fonts;
};

}  // namespace mvn
