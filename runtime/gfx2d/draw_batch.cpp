#include "runtime/gfx2d/draw_batch.h"

#include <GL/gl.h>

#include <memory>
#include <new>

#include "runtime/core/runtime_objects.h"
#include "runtime/gfx2d/gl_state.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/texture_binding.h"

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
  // What the run may leave out, decided when it starts (every state change
  // ends a run, so it holds for the whole run).
  bool unblended = false;
  bool noAlphaTest = false;
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

// The one place that decides which per-fragment work a run can leave out
// without changing a bit. A run whose every fragment has alpha exactly 1
// (colour alpha 1, and untextured or sampling a texture opaque in every
// texel, which filtering cannot change) gives, under (GL_SRC_ALPHA,
// GL_ONE_MINUS_SRC_ALPHA) blending, src * 1 + dst * 0 = src: drawn unblended,
// the rasteriser neither reads the surface nor keeps what the run covers whole
// (the frame's clear, say). An alpha test GL_GREATER with a reference below 1
// passes every such fragment.
void decideRun(Kind kind) {
  batch.unblended = batch.noAlphaTest = false;
  if (!colourIsOpaque()) return;
  if (kind != Kind::untexturedFans) {
    const OpenGLRainbows* r = runtimeObjects.renderer;
    if (!r || !boundTextureOpaque(*r)) return;
  }
  batch.unblended = ordinaryBlending();
  batch.noAlphaTest = alphaTestPassesOpaque();
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
  if (batch.count == 0) decideRun(kind);
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
  // the rasteriser is spared the colour. The environment, blending and alpha
  // test are put back at once, so that no other drawing sees them and the
  // state records stay true between draws.
  const bool replace = textured && colourIsOpaqueWhite();
  if (replace) glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  if (batch.unblended) glDisable(GL_BLEND);
  if (batch.noAlphaTest) glDisable(GL_ALPHA_TEST);
  drawArrays(kind == Kind::frames ? GL_QUADS : GL_TRIANGLES, batch.vertices.get(), count, textured);
  if (batch.noAlphaTest) glEnable(GL_ALPHA_TEST);
  if (batch.unblended) glEnable(GL_BLEND);
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
