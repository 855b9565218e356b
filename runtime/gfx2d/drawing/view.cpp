#include "runtime/gfx2d/drawing/view.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "runtime/core/runtime_objects.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/gfx2d/drawing/draw_batch.h"
#include "runtime/gfx2d/drawing/frame_state.h"
#include "runtime/gfx2d/drawing/gl_state.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/drawing/texture_binding.h"

namespace mvn {

namespace {

VirtualResolution virtualRecord;

bool turnedSideways(const OpenGLRainbows& r) { return r.orientation == 1 || r.orientation == 3; }

// The slot a render target draws into, when drawing goes to one.
const SpriteSlot* renderTargetSlot(const OpenGLRainbows& r) {
  if (r.currentRenderTarget < 0 || r.currentRenderTarget >= renderTargetCount) return nullptr;
  const int slot = r.renderTargets[r.currentRenderTarget].slot;
  return isSlotNumber(slot) ? &r.spriteSlots[slot] : nullptr;
}

// Rotation of normalised device coordinates for each orientation, column-major.
void loadOrientation(int orientation) {
  static const float c[4][2] = {{1, 0}, {0, -1}, {-1, 0}, {0, 1}};  // (cos, -sin) pairs
  const float a = c[orientation][0];
  const float b = c[orientation][1];
  // (X, Y) -> (a X - b Y, b X + a Y): 1 gives (Y, -X), 2 (-X, -Y), 3 (-Y, X).
  const float m[16] = {a, b, 0, 0, -b, a, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  glLoadMatrixf(m);
}

// A double truncated toward zero, held inside the integer range (NaN gives 0).
int truncated(double value) {
  if (!(value == value)) return 0;
  if (value >= 2147483647.0) return 2147483647;
  if (value <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(value);
}

// A sum formed in 64 bits, held inside the integer range.
int clamped(int64_t value) {
  if (value > 2147483647) return 2147483647;
  if (value < -2147483647 - 1) return -2147483647 - 1;
  return static_cast<int>(value);
}

// True when GL keeps a viewport of this size as it is: a larger one is
// silently held to the driver's maximum, which scales the view. Every driver
// takes at least 4096 either way.
bool viewportKeptWhole(int width, int height) {
  if (width <= 4096 && height <= 4096) return true;
  GLint largest[2] = {0, 0};
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, largest);
  return width <= largest[0] && height <= largest[1];
}

}  // namespace

const VirtualResolution& virtualResolution() { return virtualRecord; }

void screenSize(const OpenGLRainbows& r, int& width, int& height) {
  if (const SpriteSlot* target = renderTargetSlot(r)) {
    width = target->imageWidth;
    height = target->imageHeight;
    return;
  }
  const int vw = r.virtualHeight == 0 ? r.windowWidth : r.virtualWidth;
  const int vh = r.virtualHeight == 0 ? r.windowHeight : r.virtualHeight;
  width = turnedSideways(r) ? vh : vw;
  height = turnedSideways(r) ? vw : vh;
}

void setView(OpenGLRainbows& r, int x, int y, int width, int height, float scale) {
  if (r.virtualHeight == 0) {
    r.virtualWidth = r.windowWidth;
    r.virtualHeight = r.windowHeight;
  }
  if (width < 1 || height < 1) {
    x = y = 0;
    screenSize(r, width, height);
  }
  const SpriteSlot* target = renderTargetSlot(r);
  // Queued quads belong to the view they were drawn in.
  flushDrawBatch();
  glMatrixMode(GL_PROJECTION);
  if (target) {
    glViewport(x, clamped(int64_t(target->imageHeight) - height - y), width, height);
    glLoadIdentity();
  } else {
    const int64_t W = r.windowWidth;
    const int64_t H = r.windowHeight;
    switch (r.orientation) {
      case 1: glViewport(clamped(W - y - height), clamped(H - x - width), height, width); break;
      case 2: glViewport(clamped(W - x - width), y, width, height); break;
      case 3: glViewport(y, x, height, width); break;
      default: glViewport(x, clamped(H - y - height), width, height); break;
    }
    loadOrientation(r.orientation);
  }
  glOrtho(0, width, height, 0, -1, 1);
  r.viewport = {x, y, width, height};
  r.viewOneToOne = !target && r.orientation == 0 && scale == 1.0f && viewportKeptWhole(width, height) &&
                   r.cameraX == 0 && r.cameraY == 0;
  r.viewScale = target ? 1.0f : scale;
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  if (scale != 1.0f && !target) glScalef(scale, scale, scale);
  if (r.cameraX != 0 || r.cameraY != 0) glTranslatef(-float(r.cameraX), -float(r.cameraY), 0);
}

void setCameraOffset(int x, int y) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r || (r->cameraX == x && r->cameraY == y)) return;
  flushDrawBatch();  // queued quads were placed by the old offset
  r->cameraX = x;
  r->cameraY = y;
  const ViewRect v = r->viewport;
  setView(*r, v.x, v.y, v.width, v.height, r->viewScale);
}

void endRenderTarget(OpenGLRainbows& r) {
  if (r.currentRenderTarget == -1) return;
  r.currentRenderTarget = -1;
  setView(r, 0, 0, 0, 0, 1);
}

void make2D(OpenGLRainbows& r) {
  r.cameraX = r.cameraY = 0;
  setView(r, 0, 0, 0, 0, 1);
  forgetCapabilities();
  forgetColour();
  forgetBindings(r);
  setCapability(GlCap::depthTest, false);
  setCapability(GlCap::cullFace, false);
  glFrontFace(GL_CCW);
  setColour(1, 1, 1, 1);
  setCapability(GlCap::fog, false);
  setCapability(GlCap::lineSmooth, false);
  setCapability(GlCap::pointSmooth, false);
  setCapability(GlCap::stencilTest, false);
  setCapability(GlCap::normalise, false);
  setCapability(GlCap::lighting, false);
  setShadeModel(GL_FLAT);
  setCapability(GlCap::colourMaterial, false);
  setCapability(GlCap::dither, false);
  setCapability(GlCap::polygonSmooth, false);
  setCapability(GlCap::polygonOffsetPoint, false);
  setCapability(GlCap::autoNormal, false);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
  glHint(GL_POLYGON_SMOOTH_HINT, GL_FASTEST);
  r.smoothing = 1;
  bindSlot(r, -1);
  resetBlending(r);
}

bool windowPixelOf(const OpenGLRainbows& r, int x, int y, int& column, int& row) {
  const bool scaled = virtualRecord.scale > 0 && r.currentRenderTarget < 0;
  const double scale = scaled ? virtualRecord.scale : 1;
  // In 64 bits: a far-off pixel stays far off instead of wrapping around.
  const int64_t sx = (scaled ? virtualRecord.offsetX : 0) + int64_t(truncated(std::floor(scale * x)));
  const int64_t sy = (scaled ? virtualRecord.offsetY : 0) + int64_t(truncated(std::floor(scale * y)));
  const int64_t W = r.windowWidth;
  const int64_t H = r.windowHeight;
  int64_t c, w;
  switch (r.orientation) {
    case 1: c = W - 1 - sy; w = sx; break;
    case 2: c = W - 1 - sx; w = H - 1 - sy; break;
    case 3: c = sy; w = H - 1 - sx; break;
    default: c = sx; w = sy; break;
  }
  column = clamped(c);
  row = clamped(w);
  return c >= 0 && c < W && w >= 0 && w < H;
}

namespace {

void setViewport(OpenGLRainbows& renderer, int x, int y, int width, int height) {
  OpenGLRainbows* r = &renderer;
  const VirtualResolution& v = virtualRecord;
  if (v.scale > 0 && r->currentRenderTarget < 0) {
    if (width <= 0) {
      width = v.width;
      height = v.height;
    }
    setView(*r, clamped(int64_t(v.offsetX) + truncated(double(v.scale) * x)),
            clamped(int64_t(v.offsetY) + truncated(double(v.scale) * y)),
            truncated(double(v.scale) * width), truncated(double(v.scale) * height), v.scale);
  } else {
    setView(*r, x, y, width, height, 1);
  }
}

}  // namespace

void wholeScreenView(OpenGLRainbows& renderer) { setViewport(renderer, 0, 0, 0, 0); }

void viewport(int x, int y, int width, int height) {
  if (OpenGLRainbows* r = runtimeObjects.renderer) setViewport(*r, x, y, width, height);
}

void getViewport(int& x, int& y, int& width, int& height) {
  x = y = width = height = 0;
  const OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return;
  const ViewRect& vp = r->viewport;
  const VirtualResolution& v = virtualRecord;
  if (v.scale > 0 && r->currentRenderTarget < 0) {
    x = clamped(int64_t(vp.x) - v.offsetX);
    y = clamped(int64_t(vp.y) - v.offsetY);
    width = truncated(vp.width / double(v.scale));
    height = truncated(vp.height / double(v.scale));
  } else {
    x = vp.x;
    y = vp.y;
    width = vp.width;
    height = vp.height;
  }
}

void getViewport(double& x, double& y, double& width, double& height) {
  int ix, iy, iw, ih;
  getViewport(ix, iy, iw, ih);
  x = ix;
  y = iy;
  width = iw;
  height = ih;
}

void getScreenSize(int& width, int& height) {
  width = height = 0;
  if (const OpenGLRainbows* r = runtimeObjects.renderer) screenSize(*r, width, height);
}

void getScreenSize(double& width, double& height) {
  int w, h;
  getScreenSize(w, h);
  width = w;
  height = h;
}

void getDesktopSize(int& width, int& height) {
  width = runtimeSettings.desktopWidth;
  height = runtimeSettings.desktopHeight;
}

void setOrientation(int orientation) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return;
  r->orientation = orientation < 0 ? 0 : orientation > 3 ? 3 : orientation;
  wholeScreenView(*r);
}

int getOrientation() {
  const OpenGLRainbows* r = runtimeObjects.renderer;
  return r ? r->orientation : 0;
}

void setVirtualResolution(double width, double height) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return;
  VirtualResolution& v = virtualRecord;
  // Values a 32-bit size cannot hold are as unusable as non-positive ones.
  const bool usable = width >= 1 && height >= 1 && width < 65536 && height < 65536;
  if (usable) {
    r->currentRenderTarget = -1;
    // The whole window is the surface the virtual screen is fitted into.
    r->virtualWidth = r->virtualHeight = 0;
    setView(*r, 0, 0, 0, 0, 1);
    int sw, sh;
    screenSize(*r, sw, sh);
    v.width = truncated(width);
    v.height = truncated(height);
    const double f = std::fmin(sw / double(v.width), sh / double(v.height));
    double scale = 1;
    if (f >= 10) {
      scale = std::floor(f);
    } else {
      for (double step : {8.0, 4.0, 3.0, 2.0, 1.5}) {
        if (f >= step) {
          scale = step;
          break;
        }
      }
    }
    v.scale = static_cast<float>(scale);
    v.offsetX = truncated((sw - v.width * scale) * 0.5);
    v.offsetY = truncated((sh - v.height * scale) * 0.5);
    r->virtualWidth = v.width;
    r->virtualHeight = v.height;
  } else {
    v = VirtualResolution();
    r->virtualWidth = r->virtualHeight = 0;
  }
  if (v.scale > 0 && r->currentRenderTarget < 0) {
    setView(*r, v.offsetX, v.offsetY, truncated(v.scale * v.width), truncated(v.scale * v.height),
            v.scale);
  } else {
    setView(*r, 0, 0, 0, 0, 1);
  }
}

}  // namespace mvn
