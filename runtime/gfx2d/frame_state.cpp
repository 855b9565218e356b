#include "runtime/gfx2d/frame_state.h"

namespace mvn {

void resetDrawingState(OpenGLRainbows&) {}

}  // namespace mvn
