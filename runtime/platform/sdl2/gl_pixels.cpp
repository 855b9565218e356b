// Pixel transfers on desktop OpenGL: the driver does each of them directly.
#include "runtime/platform/gl_pixels.h"

#include <GL/gl.h>

namespace mvn::platform {

void uploadTextureRgba(int level, int width, int height, const void* pixels) {
  glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
}

void uploadTextureRegionRgba(int x, int y, int width, int height, const void* pixels) {
  glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
}

void boundTextureSize(int& width, int& height) {
  GLint w = 0, h = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
  width = w;
  height = h;
}

void readBoundTexture(unsigned format, int alignment, void* destination) {
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, destination);
}

void readFramePixels(int x, int y, int width, int height, unsigned format, int alignment,
                     void* destination) {
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  glReadPixels(x, y, width, height, format, GL_UNSIGNED_BYTE, destination);
}

}  // namespace mvn::platform
