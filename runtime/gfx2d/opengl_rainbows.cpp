#include "runtime/gfx2d/opengl_rainbows.h"

#include "runtime/core/window_side.h"
#include "runtime/gfx2d/sprites/texture_backup.h"
#include "runtime/gfx2d/drawing/view.h"

namespace mvn {

OpenGLRainbows::OpenGLRainbows()
    : spriteSlots(new SpriteSlot[slotCount]()),
      alphaMasks(new std::unique_ptr<AlphaMask>[slotCount]),
      slotTexels(new std::unique_ptr<SlotTexels>[slotCount]),
      textureParams(new uint8_t[slotCount]()) {
  removeTextureBackup();  // no stale backup outlives a renderer
}

OpenGLRainbows::~OpenGLRainbows() {
  removeTextureBackup();
  if (currentRenderTarget != -1) endRenderTarget(*this);
  releaseWindowSide(*this);  // slots, window and context
}

}  // namespace mvn
