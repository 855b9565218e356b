#include "runtime/gfx2d/drawing/polygon.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <new>

#include "runtime/core/runtime_objects.h"
#include "runtime/gfx2d/drawing/draw_batch.h"
#include "runtime/gfx2d/drawing/drawing.h"
#include "runtime/gfx2d/drawing/gl_state.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/drawing/texture_binding.h"

namespace mvn {

namespace {

constexpr int initialCapacity = 512;
constexpr int growthStep = 128;
constexpr int noDrawing = -1;

struct PolygonBuffer {
  std::unique_ptr<PolyVertex[]> vertices;
  int count = 0;
  int capacity = 0;
  int mode = noDrawing;
  int slot = -1;
  float inverseWidth = 0;   // 1 / textureWidth of the slot
  float inverseHeight = 0;
  bool hasColours = false;
  bool stripBreakPending = false;
};

PolygonBuffer polygon;

// Makes room for `needed` vertices; false when memory runs out.
bool reserve(int needed) {
  if (needed < polygon.capacity) return true;
  const int capacity = needed < initialCapacity ? initialCapacity : growthStep * (needed / growthStep + 1);
  std::unique_ptr<PolyVertex[]> grown(new (std::nothrow) PolyVertex[capacity]);
  if (!grown) return false;
  if (polygon.count > 0) std::memcpy(grown.get(), polygon.vertices.get(), sizeof(PolyVertex) * polygon.count);
  polygon.vertices = std::move(grown);
  polygon.capacity = capacity;
  return true;
}

float inverse(int size) { return size > 0 ? 1.0f / static_cast<float>(size) : 0.0f; }

}  // namespace

void startPoly(int slot, int mode) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  polygon.count = 0;
  polygon.hasColours = false;
  polygon.stripBreakPending = false;
  polygon.mode = mode;
  polygon.slot = -1;
  polygon.inverseWidth = polygon.inverseHeight = 0;
  if (!r || (slot != -1 && !isSlotNumber(slot))) {
    polygon.mode = noDrawing;
    return;
  }
  bindSlot(*r, slot);
  if (polygon.capacity <= 2) {
    polygon.vertices.reset(new (std::nothrow) PolyVertex[initialCapacity]);
    polygon.capacity = polygon.vertices ? initialCapacity : 0;
  }
  if (slot >= 0) {
    polygon.slot = slot;
    // An empty slot has no texture size: its coordinates collapse to 0.
    polygon.inverseWidth = inverse(r->spriteSlots[slot].textureWidth);
    polygon.inverseHeight = inverse(r->spriteSlots[slot].textureHeight);
  }
}

void polyVector(double x, double y, double textureX, double textureY, int colour) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return;
  const int copies = polygon.stripBreakPending ? 2 : 1;
  if (polygon.count > 0x7FFFFFFF - growthStep - copies) return;
  if (!reserve(polygon.count + copies)) return;
  PolyVertex v;
  v.x = static_cast<float>(x);
  v.y = static_cast<float>(y);
  v.s = v.t = 0;
  if (polygon.slot >= 0) {
    v.s = static_cast<float>(textureX) * polygon.inverseWidth;
    v.t = static_cast<float>(r->spriteSlots[polygon.slot].imageHeight - textureY) * polygon.inverseHeight;
  }
  if (colour == 0xFFFFFF) {
    v.red = v.green = v.blue = 255;
  } else {
    v.red = static_cast<uint8_t>(colour & 255);
    v.green = static_cast<uint8_t>((colour >> 8) & 255);
    v.blue = static_cast<uint8_t>((colour >> 16) & 255);
    polygon.hasColours = true;
  }
  // Vertex colours replace the current colour, which carries the tint: they
  // carry it themselves.
  if (r->tint[0] != 1.0f || r->tint[1] != 1.0f || r->tint[2] != 1.0f) {
    v.red = static_cast<uint8_t>(std::lround(v.red * r->tint[0]));
    v.green = static_cast<uint8_t>(std::lround(v.green * r->tint[1]));
    v.blue = static_cast<uint8_t>(std::lround(v.blue * r->tint[2]));
  }
  if (colour == r->colourKey) {
    v.alpha = 0;
  } else if (r->globalAlpha == 1.0f) {
    v.alpha = 255;
  } else {
    v.alpha = static_cast<uint8_t>(r->globalAlpha * 255);
  }
  for (int i = 0; i < copies; ++i) polygon.vertices[polygon.count++] = v;
  polygon.stripBreakPending = false;
}

void polyNewStrip() {
  if (polygon.count == 0 || polygon.stripBreakPending) return;
  if (!reserve(polygon.count + 1)) return;
  polygon.vertices[polygon.count] = polygon.vertices[polygon.count - 1];
  ++polygon.count;
  polygon.stripBreakPending = true;
}

void endPoly() {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r || polygon.count == 0) return;
  GLenum primitive;
  switch (polygon.mode) {
    case 0: primitive = GL_TRIANGLE_FAN; break;
    case 1: primitive = GL_TRIANGLES; break;
    case 2: primitive = GL_TRIANGLE_STRIP; break;
    default: return;
  }
  // The polygon's own texture, whatever was drawn since it was started.
  bindSlotForDrawing(*r, polygon.slot);
  const PolyVertex* v = polygon.vertices.get();
  const bool textured = polygon.slot >= 0;
  const bool colours = polygon.hasColours || r->globalAlpha != 1.0f;
  // A four-corner fan in the current colour joins the batch as any quad does.
  if (drawBatching() && polygon.mode == 0 && polygon.count == 4 && !colours) {
    if (textured) applyWrap(*r, false);
    const QuadVertex corners[4] = {{v[0].x, v[0].y, v[0].s, v[0].t},
                                   {v[1].x, v[1].y, v[1].s, v[1].t},
                                   {v[2].x, v[2].y, v[2].s, v[2].t},
                                   {v[3].x, v[3].y, v[3].s, v[3].t}};
    batchFan(corners, textured);
    return;
  }
  flushDrawBatch();
  glVertexPointer(2, GL_FLOAT, sizeof(PolyVertex), &v->x);
  glEnableClientState(GL_VERTEX_ARRAY);
  if (textured) {
    applyWrap(*r, false);
    glTexCoordPointer(2, GL_FLOAT, sizeof(PolyVertex), &v->s);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  }
  if (colours) {
    setCapability(GlCap::dither, true);
    setShadeModel(GL_SMOOTH);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(PolyVertex), &v->red);
    glEnableClientState(GL_COLOR_ARRAY);
    polygon.hasColours = true;
  }
  glDrawArrays(primitive, 0, polygon.count);
  if (textured) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  if (colours) {
    // Drawing with a colour array leaves the current colour undefined.
    forgetColour();
    restoreColour(*r);
    glDisableClientState(GL_COLOR_ARRAY);
    setShadeModel(GL_FLAT);
    setCapability(GlCap::dither, false);
  }
}

const PolyVertex* polyVertices() { return polygon.vertices.get(); }
int polyVertexCount() { return polygon.count; }
int polyCapacity() { return polygon.capacity; }
bool polyHasColours() { return polygon.hasColours; }

}  // namespace mvn
