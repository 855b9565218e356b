#include "runtime/gfx2d/opengl_rainbows.h"

namespace mvn {

OpenGLRainbows::OpenGLRainbows() = default;
OpenGLRainbows::~OpenGLRainbows() = default;

}  // namespace mvn
