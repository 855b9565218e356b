// Pixel transfers on WebGL through the browser's fixed-function emulation. It
// knows no sized internal formats, no texture read-back, no read buffers and no
// BGRA order, and it cannot tell a texture's size: the sizes are recorded at
// upload, a texture is read through a framebuffer object, and BGRA is swapped
// here.
#include "runtime/platform/gl_pixels.h"

#include <GLES2/gl2.h>

#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <utility>
#include <vector>

namespace mvn::platform {

namespace {

constexpr unsigned kBgra = 0x80E1;  // GL_BGRA_EXT
constexpr unsigned kAlpha = 0x1906;  // GL_ALPHA

std::unordered_map<GLuint, std::pair<int, int>> textureSizes;  // level 0, by name

GLuint boundTexture() {
  GLint name = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
  return static_cast<GLuint>(name);
}

size_t rowBytes(int width, int bytesPerPixel, int alignment) {
  const size_t bytes = size_t(width) * bytesPerPixel;
  const size_t a = alignment > 0 ? size_t(alignment) : 1;
  return (bytes + a - 1) / a * a;
}

}  // namespace

void uploadTextureRgba(int level, int width, int height, const void* pixels) {
  glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  if (level == 0 && glGetError() == GL_NO_ERROR) textureSizes[boundTexture()] = {width, height};
}

void uploadTextureRegionRgba(int x, int y, int width, int height, const void* pixels) {
  glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
}

void boundTextureSize(int& width, int& height) {
  auto found = textureSizes.find(boundTexture());
  width = found == textureSizes.end() ? 0 : found->second.first;
  height = found == textureSizes.end() ? 0 : found->second.second;
}

void readBoundTexture(unsigned format, int alignment, void* destination) {
  int width = 0, height = 0;
  boundTextureSize(width, height);
  if (width <= 0 || height <= 0 || !destination) return;
  GLint previous = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
  GLuint framebuffer = 0;
  glGenFramebuffers(1, &framebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, boundTexture(), 0);
  std::vector<uint8_t> rgba(size_t(width) * height * 4);
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE) {
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  }
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
  glDeleteFramebuffers(1, &framebuffer);

  auto* out = static_cast<uint8_t*>(destination);
  const int channels = format == kAlpha ? 1 : 4;
  const size_t stride = rowBytes(width, channels, alignment);
  for (int y = 0; y < height; ++y) {
    const uint8_t* in = &rgba[size_t(y) * width * 4];
    uint8_t* row = out + y * stride;
    if (channels == 4) {
      std::memcpy(row, in, size_t(width) * 4);
    } else {
      for (int x = 0; x < width; ++x) row[x] = in[x * 4 + 3];
    }
  }
}

void readFramePixels(int x, int y, int width, int height, unsigned format, int alignment,
                     void* destination) {
  if (width <= 0 || height <= 0 || !destination) return;
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, destination);
  if (format != kBgra) return;
  const size_t stride = rowBytes(width, 4, alignment);
  for (int row = 0; row < height; ++row) {
    uint8_t* p = static_cast<uint8_t*>(destination) + row * stride;
    for (int column = 0; column < width; ++column, p += 4) std::swap(p[0], p[2]);
  }
}

}  // namespace mvn::platform
