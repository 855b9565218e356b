#include "runtime/gfx2d/opengl_rainbows.h"

#include "runtime/app/window_context.h"

namespace mvn {

OpenGLRainbows::OpenGLRainbows()
    : spriteSlots(new SpriteSlot[slotCount]()),
      alphaMasks(new std::unique_ptr<AlphaMask>[slotCount]),
      textureParams(new uint8_t[slotCount]()) {}

OpenGLRainbows::~OpenGLRainbows() {
  releaseWindowSide(*this);  // slots, window and context
}

}  // namespace mvn
