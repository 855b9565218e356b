#include "runtime/gfx2d/drawing/frame_state.h"

#include <GL/gl.h>

#include "runtime/gfx2d/drawing/draw_batch.h"
#include "runtime/gfx2d/drawing/drawing.h"
#include "runtime/gfx2d/drawing/gl_extensions.h"
#include "runtime/gfx2d/drawing/gl_state.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/drawing/texture_binding.h"
#include "runtime/gfx2d/drawing/view.h"

namespace mvn {

void resetBlending(OpenGLRainbows& r) {
  setCapability(GlCap::alphaTest, false);
  r.alphaTestRef = 1;
  setCapability(GlCap::blend, true);
  setBlendFunction(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  r.globalAlpha = 1;
  r.tint[0] = r.tint[1] = r.tint[2] = 1;
  setColour(1, 1, 1, 1);
}

namespace {

void drawBackground(OpenGLRainbows& r, int slot) {
  if (virtualResolution().scale > 1) {
    flushDrawBatch();
    glClear(GL_COLOR_BUFFER_BIT);
  }
  const SpriteSlot& s = r.spriteSlots[slot];
  const float W = s.imageWidth, H = s.imageHeight, u = s.uExtent, v = s.vExtent;
  bindSlotForDrawing(r, slot);
  const QuadVertex corners[4] = {{W, 0, u, v}, {0, 0, 0, v}, {0, H, 0, 0}, {W, H, u, 0}};
  drawQuad(r, corners);
}

}  // namespace

void beginFrame(OpenGLRainbows& r) {
  const int background = r.backgroundSlots[0];
  if (isSlotNumber(background)) {
    // Drawn in the frame's starting state, whatever the last frame left set.
    resetBlending(r);
    drawBackground(r, background);
    return;
  }
  GLbitfield mask = 0;
  if (r.clearEachFrame) mask |= GL_COLOR_BUFFER_BIT;
  if (r.clearDepthPending) {
    mask |= GL_DEPTH_BUFFER_BIT;
    r.clearDepthPending = 0;
  }
  if (mask) {
    flushDrawBatch();
    glClear(mask);
  }
}

void resetDrawingState(OpenGLRainbows& r) {
  r.cameraX = r.cameraY = 0;
  wholeScreenView(r);
  beginFrame(r);
  resetBlending(r);
  if (UseProgramFunction useProgram = useProgramEntry()) useProgram(0);
}

}  // namespace mvn
