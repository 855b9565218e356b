#include "runtime/gfx2d/drawing/drawing.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "runtime/core/runtime_objects.h"
#include "runtime/gfx2d/drawing/draw_batch.h"
#include "runtime/gfx2d/drawing/gl_state.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/drawing/texture_binding.h"
#include "runtime/gfx2d/drawing/view.h"
#include "runtime/platform/gl_pixels.h"
#include "runtime/values/error_trace.h"

#ifndef GL_BGRA_EXT
#define GL_BGRA_EXT 0x80E1
#endif

namespace mvn {

namespace {

// Sums of coordinates are formed in 64 bits and handed to GL as floats, so
// that no argument overflows an integer.
float f(int64_t value) { return static_cast<float>(value); }

// A double truncated toward zero, limited to the integer range (NaN gives 0).
int truncatedInt(double value) {
  if (!(value == value)) return 0;
  if (value >= 2147483647.0) return 2147483647;
  if (value <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(value);
}

float component(int colour, int shift) { return ((colour >> shift) & 255) / 255.0f; }

// The colour of an untextured command: the key colour is drawn invisible.
void setDrawColour(const OpenGLRainbows& r, int colour) {
  const float alpha = colour == r.colourKey ? 0.0f : r.globalAlpha;
  setColour(component(colour, 0), component(colour, 8), component(colour, 16), alpha);
}

// The renderer and slot of a textured command, or null when there is nothing
// to draw; with tracing on, a slot number outside the table is said once per
// call site, and so is an empty slot where the image's size is the quad's.
template <typename... Args>
OpenGLRainbows* rendererFor(const void* site, bool sizedByImage, int slot, const char* command,
                            const Args&... args) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return nullptr;
  if (!isSlotNumber(slot)) {
    traceNoEffect(site, "draws nothing: slot outside 0..65536", command, slot, args...);
    return nullptr;
  }
  if (sizedByImage && r->spriteSlots[slot].imageWidth < 1)
    traceNoEffect(site, "draws nothing: slot " + std::to_string(slot) + " is empty", command, slot, args...);
  return r;
}

// The frame's place in the image; false when the slot has no frame size.
// With tracing on, a slot without frames or a frame past the image is said
// once per call site (the texture repeats past the image's edge).
template <typename... Args>
bool frameOf(const void* site, const SpriteSlot& s, int slot, int frame, int& column, int& row,
             const char* command, const Args&... args) {
  if (!framePosition(s, frame, column, row)) {
    traceNoEffect(site,
                  "draws nothing: slot " + std::to_string(slot) +
                      (s.imageWidth < 1 ? " is empty" : " has no frame size"),
                  command, slot, frame, args...);
    return false;
  }
  if (tracingErrors()) {
    const int64_t frames = int64_t(s.imageWidth / s.frameWidth) * (s.imageHeight / s.frameHeight);
    if (frame < 0 || frame >= frames)
      traceNoEffect(site,
                    "draws nothing: frame " + std::to_string(frame) + " past the image's " +
                        std::to_string(frames) + " frames",
                    command, slot, frame, args...);
  }
  return true;
}

// Texture rectangle of an animation frame.
struct FrameTexture {
  float sLeft, sRight, tBottom, tTop;
};

FrameTexture frameTexture(const SpriteSlot& s, int column, int row) {
  const float tw = s.textureWidth;
  const float th = s.textureHeight;
  FrameTexture t;
  t.tBottom = (static_cast<float>(s.imageHeight) - static_cast<float>(s.frameHeight) * (row + 1.0f)) / th;
  t.tTop = t.tBottom + s.frameHeight / th;
  const float sw = s.frameWidth / tw;
  t.sLeft = sw * static_cast<float>(column);
  t.sRight = sw + t.sLeft;
  return t;
}

}  // namespace

void restoreColour(const OpenGLRainbows& r) { setColour(r.tint[0], r.tint[1], r.tint[2], r.globalAlpha); }

void setTint(int colour) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return;
  for (int i = 0; i < 3; ++i) r->tint[i] = component(colour, 8 * i);
  restoreColour(*r);
}

int getTint() {
  const OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return 0xFFFFFF;
  int colour = 0;
  for (int i = 0; i < 3; ++i) colour |= int(std::lround(r->tint[i] * 255.0f)) << (8 * i);
  return colour;
}

void setShapeColour(const OpenGLRainbows& r, int colour) {
  const float alpha = colour == r.colourKey ? 0.0f : r.globalAlpha;
  setColour(component(colour, 0) * r.tint[0], component(colour, 8) * r.tint[1],
            component(colour, 16) * r.tint[2], alpha);
}

void drawQuad(OpenGLRainbows& r, const QuadVertex (&corners)[4], const TexelSource* source) {
  const bool textured = r.currentSlot >= 0;
  if (textured) applyWrap(r, true);
  if (drawBatching()) {
    batchFan(corners, textured, source);
    return;
  }
  glVertexPointer(2, GL_FLOAT, sizeof(QuadVertex), &corners[0].x);
  glEnableClientState(GL_VERTEX_ARRAY);
  if (textured) {
    glTexCoordPointer(2, GL_FLOAT, sizeof(QuadVertex), &corners[0].s);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  }
  glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
  if (textured) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
}

bool framePosition(const SpriteSlot& s, int frame, int& column, int& row) {
  if (s.frameWidth <= 0 || s.frameHeight <= 0) return false;
  const int perRow = s.imageWidth / s.frameWidth;
  if (perRow > 0) {
    column = frame % perRow;
    row = frame / perRow;
  } else {
    column = frame;
    row = 0;
  }
  return true;
}

void setAlphaMode(double value) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return;
  const float a = static_cast<float>(value);
  if (a == 0) {
    setCapability(GlCap::blend, false);
  } else {
    setCapability(GlCap::blend, true);
    setBlendFunction(GL_SRC_ALPHA, a > 0 ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
  }
  r->globalAlpha = a == 0 ? 1.0f : std::fmin(std::fabs(a), 1.0f);
  // A NaN value leaves nothing sensible to multiply by: full opacity.
  if (!(r->globalAlpha == r->globalAlpha)) r->globalAlpha = 1.0f;
  restoreColour(*r);
}

void setSmoothing(int flag) {
  if (OpenGLRainbows* r = runtimeObjects.renderer) r->smoothing = flag != 0 ? 1 : 0;
}

void setAlphaTest(double value) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return;
  if (value >= 1 || !(value == value)) {
    setCapability(GlCap::alphaTest, false);
    r->alphaTestRef = 1;
    return;
  }
  // The reference GL holds is cached apart from alphaTestRef, which the
  // frame reset sets to 1 without telling GL.
  setAlphaFunction(static_cast<float>(value));
  r->alphaTestRef = static_cast<float>(value);
  setCapability(GlCap::alphaTest, true);
}

void drawRect(int x, int y, int width, int height, int colour) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return;
  int64_t left = x, top = y, w = width, h = height;
  if (w < 0) {
    left += w + 1;
    w = -w;
  }
  if (h < 0) {
    top += h + 1;
    h = -h;
  }
  setDrawColour(*r, colour);
  bindSlot(*r, -1);
  if (fillAsClear(left, top, w, h)) {
    restoreColour(*r);
    return;
  }
  const QuadVertex corners[4] = {{f(left), f(top + h), 0, 0},
                                 {f(left + w), f(top + h), 0, 0},
                                 {f(left + w), f(top), 0, 0},
                                 {f(left), f(top), 0, 0}};
  // An opaque colour is drawn unblended by the batch (draw_batch.cpp).
  drawQuad(*r, corners);
  restoreColour(*r);
}

void drawSprite(int slot, int x, int y) {
  OpenGLRainbows* r = rendererFor(MVN_CALL_SITE(), true, slot, "drawSprite", x, y);
  if (!r) return;
  const SpriteSlot& s = r->spriteSlots[slot];
  bindSlotForDrawing(*r, slot);
  const int64_t W = s.imageWidth, H = s.imageHeight;
  const float u = s.uExtent, v = s.vExtent;
  const QuadVertex corners[4] = {{f(x + W), f(y), u, v},
                                 {f(x), f(y), 0, v},
                                 {f(x), f(y + H), 0, 0},
                                 {f(x + W), f(y + H), u, 0}};
  const TexelSource source{slot, x, y, 0, 0, s.imageWidth, s.imageHeight};
  drawQuad(*r, corners, &source);
}

void stretchSprite(int slot, int x, int y, int width, int height) {
  OpenGLRainbows* r = rendererFor(MVN_CALL_SITE(), false, slot, "stretchSprite", x, y, width, height);
  if (!r) return;
  const SpriteSlot& s = r->spriteSlots[slot];
  bindSlotForDrawing(*r, slot);
  const int64_t w = width, h = height;
  const float u = s.uExtent, v = s.vExtent;
  const QuadVertex corners[4] = {{f(x), f(y + h), 0, 0},
                                 {f(x + w), f(y + h), u, 0},
                                 {f(x + w), f(y), u, v},
                                 {f(x), f(y), 0, v}};
  drawQuad(*r, corners);
}

void zoomSprite(int slot, int x, int y, double xZoom, double yZoom) {
  OpenGLRainbows* r = rendererFor(MVN_CALL_SITE(), true, slot, "zoomSprite", x, y, xZoom, yZoom);
  if (!r) return;
  const SpriteSlot& s = r->spriteSlots[slot];
  const double W = s.imageWidth, H = s.imageHeight;
  const int w = truncatedInt(xZoom * W);
  const int h = truncatedInt(yZoom * H);
  const int64_t dx = truncatedInt(xZoom * W - W);
  const int64_t dy = truncatedInt(yZoom * H - H);
  const int64_t left = x - dx / 2;
  const int64_t top = y - dy / 2;
  stretchSprite(slot, truncatedInt(double(left)), truncatedInt(double(top)), w, h);
}

void rotoSprite(int slot, int x, int y, double angle) { rotoZoomSprite(slot, x, y, angle, 1); }

void rotoZoomSprite(int slot, int x, int y, double angleValue, double zoomValue) {
  OpenGLRainbows* r =
      rendererFor(MVN_CALL_SITE(), true, slot, "rotoZoomSprite", x, y, angleValue, zoomValue);
  if (!r) return;
  const SpriteSlot& s = r->spriteSlots[slot];
  const float angle = static_cast<float>(angleValue);
  const float zoom = static_cast<float>(zoomValue);
  const float tw = s.textureWidth, th = s.textureHeight;
  const float W = s.imageWidth, H = s.imageHeight;
  const float s0 = 0.5f / tw, s1 = (W - 0.5f) / tw;
  const float t0 = 0.5f / th, t1 = (H - 0.5f) / th;
  const float hx = zoom * W * 0.5f, hy = zoom * H * 0.5f;
  bindSlotForDrawing(*r, slot);
  // The quad is drawn under a matrix of its own: nothing queued may join it.
  flushDrawBatch();
  glPushMatrix();
  glTranslatef(f(int64_t(x) + (s.imageWidth >> 1)), f(int64_t(y) + (s.imageHeight >> 1)), 0);
  glRotatef(angle, 0, 0, -1);
  const QuadVertex corners[4] = {{-hx, hy, s0, t0}, {hx, hy, s1, t0}, {hx, -hy, s1, t1}, {-hx, -hy, s0, t1}};
  drawQuad(*r, corners);
  flushDrawBatch();
  glPopMatrix();
}

void drawAnim(int slot, int frame, int x, int y) {
  const void* site = MVN_CALL_SITE();
  OpenGLRainbows* r = rendererFor(site, false, slot, "drawAnim", frame, x, y);
  if (!r) return;
  const SpriteSlot& s = r->spriteSlots[slot];
  int column, row;
  if (!frameOf(site, s, slot, frame, column, row, "drawAnim", x, y)) return;
  bindSlotForDrawing(*r, slot);
  const FrameTexture t = frameTexture(s, column, row);
  const int64_t fw = s.frameWidth, fh = s.frameHeight;
  // Past the image's edge the texture repeats (the slot's wrap mode).
  applyWrap(*r, false);
  if (drawBatching()) {
    const QuadVertex corners[4] = {{f(x + fw), f(y), t.sRight, t.tTop},
                                   {f(x), f(y), t.sLeft, t.tTop},
                                   {f(x), f(y + fh), t.sLeft, t.tBottom},
                                   {f(x + fw), f(y + fh), t.sRight, t.tBottom}};
    const TexelSource source{slot, x, y, column * fw, row * fh, int(fw), int(fh)};
    batchFrame(corners, &source);
    return;
  }
  glBegin(GL_QUADS);
  glTexCoord2f(t.sRight, t.tTop);
  glVertex2f(f(x + fw), f(y));
  glTexCoord2f(t.sLeft, t.tTop);
  glVertex2f(f(x), f(y));
  glTexCoord2f(t.sLeft, t.tBottom);
  glVertex2f(f(x), f(y + fh));
  glTexCoord2f(t.sRight, t.tBottom);
  glVertex2f(f(x + fw), f(y + fh));
  glEnd();
}

void stretchAnim(int slot, int frame, int x, int y, int width, int height) {
  const void* site = MVN_CALL_SITE();
  OpenGLRainbows* r = rendererFor(site, false, slot, "stretchAnim", frame, x, y, width, height);
  if (!r) return;
  const SpriteSlot& s = r->spriteSlots[slot];
  int column, row;
  if (!frameOf(site, s, slot, frame, column, row, "stretchAnim", x, y, width, height)) return;
  const FrameTexture t = frameTexture(s, column, row);
  bindSlotForDrawing(*r, slot);
  const float right = f(int64_t(x) + width) + 0.1f;
  const float bottom = f(int64_t(y) + height) + 0.1f;
  const QuadVertex corners[4] = {{f(x), f(y), t.sLeft, t.tTop},
                                 {f(x), bottom, t.sLeft, t.tBottom},
                                 {right, bottom, t.sRight, t.tBottom},
                                 {right, f(y), t.sRight, t.tTop}};
  drawQuad(*r, corners);
}

void rotoZoomAnim(int slot, int frame, int x, int y, double angleValue, double zoomValue) {
  const void* site = MVN_CALL_SITE();
  OpenGLRainbows* r = rendererFor(site, false, slot, "rotoZoomAnim", frame, x, y, angleValue, zoomValue);
  if (!r) return;
  const SpriteSlot& s = r->spriteSlots[slot];
  int column, row;
  if (!frameOf(site, s, slot, frame, column, row, "rotoZoomAnim", x, y, angleValue, zoomValue)) return;
  const float angle = static_cast<float>(angleValue);
  const float zoom = static_cast<float>(zoomValue);
  const float tw = s.textureWidth, th = s.textureHeight;
  const float fw = s.frameWidth, fh = s.frameHeight;
  const float sLeft = static_cast<float>(column) * fw / tw + 0.5f / tw;
  const float sRight = sLeft + fw / tw - 1.0f / tw;
  const float tBottom = (static_cast<float>(s.imageHeight) - fh * (row + 1.0f)) / th + 0.5f / th;
  const float tTop = tBottom + fh / th - 1.0f / th;
  const float hx = fw * (zoom * 0.5f), hy = fh * (zoom * 0.5f);
  const float theta = angle * 0.017453292f;
  const float S = static_cast<float>(std::sin(static_cast<double>(theta)));
  const float C = static_cast<float>(std::cos(static_cast<double>(theta)));
  const float cx = f(int64_t(x) + s.frameWidth / 2);
  const float cy = f(int64_t(y) + s.frameHeight / 2);
  auto corner = [&](float dx, float dy, float u, float v) {
    return QuadVertex{cx + dx * C + dy * S, cy - dx * S + dy * C, u, v};
  };
  const QuadVertex corners[4] = {corner(-hx, -hy, sLeft, tTop), corner(-hx, hy, sLeft, tBottom),
                                 corner(hx, hy, sRight, tBottom), corner(hx, -hy, sRight, tTop)};
  bindSlotForDrawing(*r, slot);
  drawQuad(*r, corners);
}

void drawLine(int x1, int y1, int x2, int y2, int colour) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return;
  setDrawColour(*r, colour);
  bindSlot(*r, -1);
  flushDrawBatch();
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glTranslatef(0.375f, 0.375f, 0);
  glBegin(GL_LINES);
  glVertex2f(f(x1), f(y1));
  glVertex2f(f(x2), f(y2));
  glEnd();
  // The end point is lit whatever the line rule leaves out.
  glBegin(GL_POINTS);
  glVertex2f(f(x2), f(y2));
  glEnd();
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  restoreColour(*r);
}

void setPixel(int x, int y, int colour) { drawRect(x, y, 1, 1, colour); }

int getPixel(int x, int y) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  // Off-screen surfaces keep no pixels of their own here.
  if (!r || r->currentRenderTarget >= 0) return 0;
  int column, row;
  if (!windowPixelOf(*r, x, y, column, row)) return 0;
  uint8_t p[4] = {0, 0, 0, 0};
  flushDrawBatch();
  const bool bgra = r->bgraSupported != 0;
  platform::readFramePixels(column, r->windowHeight - 1 - row, 1, 1, bgra ? GL_BGRA_EXT : GL_RGBA, 4,
                            p);
  const int red = bgra ? p[2] : p[0];
  const int blue = bgra ? p[0] : p[2];
  return red + 256 * p[1] + 65536 * blue;
}

}  // namespace mvn
