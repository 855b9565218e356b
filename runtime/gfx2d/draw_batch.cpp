#include "runtime/gfx2d/draw_batch.h"

#include <GL/gl.h>

#include <memory>
#include <new>

#include "runtime/gfx2d/gl_state.h"

namespace mvn {

namespace {

// What the queued vertices are: fans as triangles (untextured or textured),
// or animation frames as GL quads.
enum class Kind { none, untexturedFans, texturedFans, frames };

constexpr int initialCapacity = 6 * 512;

struct DrawBatch {
  std::unique_ptr<QuadVertex[]> vertices;
  int count = 0;
  int capacity = 0;
  Kind kind = Kind::none;
  bool enabled = true;
};

DrawBatch batch;

// Room for `extra` more vertices; false when memory runs out (the caller then
// draws at once).
bool reserve(int extra) {
  if (batch.count + extra <= batch.capacity) return true;
  const int capacity = batch.capacity == 0 ? initialCapacity : batch.capacity * 2;
  if (capacity < batch.count + extra) return false;
  std::unique_ptr<QuadVertex[]> grown(new (std::nothrow) QuadVertex[capacity]);
  if (!grown) return false;
  for (int i = 0; i < batch.count; ++i) grown[i] = batch.vertices[i];
  batch.vertices = std::move(grown);
  batch.capacity = capacity;
  return true;
}

void drawArrays(GLenum primitive, const QuadVertex* v, int count, bool textured) {
  glVertexPointer(2, GL_FLOAT, sizeof(QuadVertex), &v->x);
  glEnableClientState(GL_VERTEX_ARRAY);
  if (textured) {
    glTexCoordPointer(2, GL_FLOAT, sizeof(QuadVertex), &v->s);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  }
  glDrawArrays(primitive, 0, count);
  if (textured) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
}

// Starts a run of the given kind, drawing a run of another kind first.
// False when the vertices must be drawn at once instead.
bool open(Kind kind, int vertices) {
  if (!batch.enabled) return false;
  if (batch.kind != kind) flushDrawBatch();
  if (!reserve(vertices)) {
    flushDrawBatch();
    if (!reserve(vertices)) return false;
  }
  batch.kind = kind;
  return true;
}

}  // namespace

void flushDrawBatch() {
  if (batch.count == 0) return;
  const Kind kind = batch.kind;
  const int count = batch.count;
  // Cleared first: nothing the draw calls may do can queue into this run again.
  batch.count = 0;
  batch.kind = Kind::none;
  const bool textured = kind != Kind::untexturedFans;
  // Texels modulated by opaque white are the texels themselves, to the bit:
  // the rasteriser is spared the colour. The environment is put back at once,
  // so that no other drawing sees it.
  const bool replace = textured && colourIsOpaqueWhite();
  if (replace) glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  drawArrays(kind == Kind::frames ? GL_QUADS : GL_TRIANGLES, batch.vertices.get(), count, textured);
  if (replace) glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void batchFan(const QuadVertex (&c)[4], bool textured) {
  if (!open(textured ? Kind::texturedFans : Kind::untexturedFans, 6)) {
    drawArrays(GL_TRIANGLE_FAN, c, 4, textured);
    return;
  }
  QuadVertex* v = &batch.vertices[batch.count];
  v[0] = c[0], v[1] = c[1], v[2] = c[2];
  v[3] = c[0], v[4] = c[2], v[5] = c[3];
  batch.count += 6;
}

void batchFrame(const QuadVertex (&c)[4]) {
  if (!open(Kind::frames, 4)) {
    drawArrays(GL_QUADS, c, 4, true);
    return;
  }
  QuadVertex* v = &batch.vertices[batch.count];
  for (int i = 0; i < 4; ++i) v[i] = c[i];
  batch.count += 4;
}

void setDrawBatching(bool enabled) {
  flushDrawBatch();
  batch.enabled = enabled;
}

bool drawBatching() { return batch.enabled; }

}  // namespace mvn
