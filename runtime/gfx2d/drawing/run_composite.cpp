#include "runtime/gfx2d/drawing/run_composite.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "runtime/gfx2d/drawing/gl_extensions.h"
#include "runtime/gfx2d/sprites/slot_texels.h"
#include "runtime/gfx2d/sprites/texture_pixels.h"
#include "runtime/platform/gl_pixels.h"

namespace mvn {

namespace {

// The compositing texture and the image composited into its bottom left
// corner, rows from the bottom.
struct Compositor {
  uint32_t texture = 0;
  int textureWidth = 0;
  int textureHeight = 0;
  std::vector<uint8_t> image;
};

Compositor compositor;
int64_t composited = 0;

struct Bounds {
  int64_t left, top, right, bottom;
};

// The quads' bounding rectangle, and whether the run pays.
bool worthCompositing(const ExactQuad* quads, int count, Bounds& b) {
  if (count < fewestCompositedQuads) return false;
  b = {quads[0].x, quads[0].y, quads[0].x, quads[0].y};
  int64_t area = 0;
  for (int i = 0; i < count; ++i) {
    const ExactQuad& q = quads[i];
    b.left = std::min<int64_t>(b.left, q.x);
    b.top = std::min<int64_t>(b.top, q.y);
    b.right = std::max<int64_t>(b.right, int64_t(q.x) + q.width);
    b.bottom = std::max<int64_t>(b.bottom, int64_t(q.y) + q.height);
    area += int64_t(q.width) * q.height;
  }
  const int64_t width = b.right - b.left, height = b.bottom - b.top;
  if (width > largestCompositedSide || height > largestCompositedSide) return false;
  return area >= leastCompositedOverlap * width * height;
}

// A texture of at least the given size, nearest-sampled and clamped; false
// when it cannot be made.
bool ensureTexture(int width, int height) {
  if (compositor.texture == 0) {
    GLuint name = 0;
    glGenTextures(1, &name);
    if (name == 0) return false;
    compositor.texture = name;
    compositor.textureWidth = compositor.textureHeight = 0;
  }
  glBindTexture(GL_TEXTURE_2D, compositor.texture);
  if (width <= compositor.textureWidth && height <= compositor.textureHeight) return true;
  const int tw = paddedSize(std::max(width, compositor.textureWidth));
  const int th = paddedSize(std::max(height, compositor.textureHeight));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  platform::uploadTextureRgba(0, tw, th, nullptr);
  compositor.textureWidth = tw;
  compositor.textureHeight = th;
  return true;
}

}  // namespace

bool compositeRun(const SlotTexels& texels, const ExactQuad* quads, int count, CompositedRun& out) {
  Bounds b;
  if (!worthCompositing(quads, count, b)) return false;
  const int width = static_cast<int>(b.right - b.left);
  const int height = static_cast<int>(b.bottom - b.top);
  const size_t bytes = static_cast<size_t>(width) * height * 4;
  try {
    compositor.image.assign(bytes, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  uint8_t* image = compositor.image.data();
  // In drawing order: a later quad's texels replace an earlier one's.
  for (int i = 0; i < count; ++i) {
    const ExactQuad& q = quads[i];
    const size_t rowBytes = static_cast<size_t>(q.width) * 4;
    for (int row = 0; row < q.height; ++row) {
      const int64_t fromBottom = b.bottom - 1 - (int64_t(q.y) + row);
      uint8_t* to = image + (static_cast<size_t>(fromBottom) * width + (q.x - b.left)) * 4;
      std::memcpy(to, texels.texel(q.left, q.top + row), rowBytes);
    }
  }
  bool covered = true;
  for (size_t i = 3; i < bytes && covered; i += 4) covered = image[i] != 0;
  if (!ensureTexture(width, height)) return false;
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  platform::uploadTextureRegionRgba(0, 0, width, height, image);

  const float l = static_cast<float>(b.left), t = static_cast<float>(b.top);
  const float r = static_cast<float>(b.right), bt = static_cast<float>(b.bottom);
  const float s = static_cast<float>(width) / compositor.textureWidth;
  const float v = static_cast<float>(height) / compositor.textureHeight;
  out.texture = compositor.texture;
  out.covered = covered;
  out.corners[0] = {r, t, s, v};
  out.corners[1] = {l, t, 0, v};
  out.corners[2] = {l, bt, 0, 0};
  out.corners[3] = {r, bt, s, 0};
  ++composited;
  return true;
}

int64_t compositedRuns() { return composited; }

void releaseCompositeTexture() {
  if (compositor.texture != 0) {
    GLuint name = compositor.texture;
    glDeleteTextures(1, &name);
  }
  compositor = Compositor{};
}

}  // namespace mvn
