#include "runtime/gfx2d/opengl_rainbows.h"

#include "runtime/core/window_side.h"
#include "runtime/gfx2d/view.h"

namespace mvn {

OpenGLRainbows::OpenGLRainbows()
    : spriteSlots(new SpriteSlot[slotCount]()),
      alphaMasks(new std::unique_ptr<AlphaMask>[slotCount]),
      textureParams(new uint8_t[slotCount]()) {}

OpenGLRainbows::~OpenGLRainbows() {
  if (currentRenderTarget != -1) endRenderTarget(*this);
  releaseWindowSide(*this);  // slots, window and context
}

}  // namespace mvn
