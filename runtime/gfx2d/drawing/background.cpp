#include "runtime/gfx2d/drawing/background.h"

#include <GL/gl.h>

#include "runtime/core/runtime_objects.h"
#include "runtime/gfx2d/drawing/draw_batch.h"
#include "runtime/gfx2d/drawing/frame_state.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/sprites/sprite_memory.h"
#include "runtime/gfx2d/sprites/sprite_store.h"
#include "runtime/gfx2d/drawing/view.h"

namespace mvn {

void removeBackground(OpenGLRainbows& r) {
  int& background = r.backgroundSlots[0];
  if (isSlotNumber(background)) freeSlot(r, background);
  background = -1;
}

void showBackground(OpenGLRainbows& r, int slot) {
  r.backgroundSlots[0] = slot;
  beginFrame(r);
}

void clearScreen(int colour) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return;
  removeBackground(*r);
  if (colour == -1) {
    r->clearEachFrame = 0;
    return;
  }
  r->clearEachFrame = 1;
  const float alpha = colour == r->colourKey ? 0.0f : 1.0f;
  r->clearColour[0] = (colour & 255) / 255.0f;
  r->clearColour[1] = ((colour >> 8) & 255) / 255.0f;
  r->clearColour[2] = ((colour >> 16) & 255) / 255.0f;
  r->clearColour[3] = alpha;
  glClearColor(r->clearColour[0], r->clearColour[1], r->clearColour[2], r->clearColour[3]);
  flushDrawBatch();
  glClear(GL_COLOR_BUFFER_BIT);
}

void useScreenAsBackground() {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return;
  // The copy is taken first: the old background may be part of the screen.
  const int slot = findFreeSlot(*r);
  if (slot < 0) return;
  int width, height;
  screenSize(*r, width, height);
  if (!grabScreen(*r, slot, 0, 0, width, height)) return;
  removeBackground(*r);
  r->backgroundSlots[0] = slot;
}

}  // namespace mvn
