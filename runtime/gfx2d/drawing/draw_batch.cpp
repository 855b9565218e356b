#include "runtime/gfx2d/drawing/draw_batch.h"

#include <GL/gl.h>

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "runtime/core/runtime_objects.h"
#include "runtime/gfx2d/drawing/gl_state.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/drawing/run_composite.h"
#include "runtime/gfx2d/sprites/slot_texels.h"
#include "runtime/gfx2d/drawing/texture_binding.h"

namespace mvn {

namespace {

// What the queued vertices are: fans as triangles (untextured or textured),
// or animation frames as GL quads.
enum class Kind { none, untexturedFans, texturedFans, frames };

// What a run may leave out or do instead. Every state change ends a run, and
// so does a quad decided otherwise, so that it holds for the whole run.
struct RunDecision {
  bool unblended = false;   // every fragment has alpha 1 under ordinary blending
  bool noAlphaTest = false; // ... and the alpha test passes it
  bool nearest = false;     // texels meet pixel centres: nearest is linear, to the bit
  bool exact = false;       // the quads are copies of texels (run_composite.h)
  int slot = -1;            // the slot an exact run shows
  bool operator==(const RunDecision& o) const {
    return unblended == o.unblended && noAlphaTest == o.noAlphaTest && nearest == o.nearest &&
           exact == o.exact && slot == o.slot;
  }
};

constexpr int initialCapacity = 6 * 512;

struct DrawBatch {
  std::unique_ptr<QuadVertex[]> vertices;
  int count = 0;
  int capacity = 0;
  Kind kind = Kind::none;
  RunDecision run;
  std::vector<ExactQuad> exactQuads;  // the quads of an exact run
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

// The filter of the bound texture for one draw; the record of texture_binding
// keeps the one put back.
void setBoundFilter(GLint filter) {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}

// What one draw leaves out. The environment, filter, blending and alpha test
// are put back at once, so that no other drawing sees them and the state
// records stay true between draws.
struct DrawShortcuts {
  bool replace;      // texels as they are: modulating by opaque white changes no bit
  bool nearest;
  bool unblended;
  bool noAlphaTest;
};

void drawWith(const DrawShortcuts& with, GLenum primitive, const QuadVertex* v, int count, bool textured) {
  if (with.replace) glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  if (with.nearest) setBoundFilter(GL_NEAREST);
  if (with.unblended) glDisable(GL_BLEND);
  if (with.noAlphaTest) glDisable(GL_ALPHA_TEST);
  drawArrays(primitive, v, count, textured);
  if (with.noAlphaTest) glEnable(GL_ALPHA_TEST);
  if (with.unblended) glEnable(GL_BLEND);
  if (with.nearest) setBoundFilter(GL_LINEAR);
  if (with.replace) glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

// Whole numbers that a float holds exactly, with room for a quad's size.
bool exactPosition(int value) { return value > -(1 << 23) && value < (1 << 23); }

// True when the quad's texels meet the surface's pixel centres one to one:
// the bound texture is the plain texture of the slot shown, the rectangle
// lies inside its image (no padding or wrapped texel is sampled) and the view
// maps program pixels to surface pixels without scale or turn.
bool texelsMeetPixels(const OpenGLRainbows& r, const TexelSource& q) {
  if (!r.viewOneToOne || !isSlotNumber(q.slot) || r.currentSlot != q.slot || r.currentSecondSlot >= 0 ||
      r.currentUseMip)
    return false;
  const SpriteSlot& s = r.spriteSlots[q.slot];
  if (s.texture == 0 || r.boundTexture != s.texture) return false;
  if (q.left < 0 || q.top < 0 || q.width < 1 || q.height < 1) return false;
  if (q.left + q.width > s.imageWidth || q.top + q.height > s.imageHeight) return false;
  return exactPosition(q.x) && exactPosition(q.y);
}

// The one place that decides which per-fragment work a quad can leave out
// without changing a bit; quads decided alike share a run.
// - Alpha 1 everywhere: a colour of alpha 1 on no texture, or on texels that
//   all have alpha 255 (the whole texture, which filtering cannot change; or
//   the quad's own frame or image, when only its own texels are sampled).
//   Under (GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA) blending that gives src * 1 +
//   dst * 0 = src: drawn unblended, the rasteriser neither reads the surface
//   nor keeps what the run covers whole (the frame's clear, say). An alpha
//   test GL_GREATER with a reference below 1 passes every such fragment.
// - Texels meeting pixel centres: linear filtering weighs the texel under
//   each centre by 1 and its neighbours by 0, which is nearest sampling.
// - Both, in opaque white (texels unchanged by the colour) under ordinary
//   blending, with an alpha test that passes them: each covered pixel
//   becomes its texel, a copy that may be made on the CPU.
RunDecision decideRun(Kind kind, const TexelSource* source) {
  RunDecision d;
  OpenGLRainbows* r = runtimeObjects.renderer;
  const bool meets = source && r && kind != Kind::untexturedFans && texelsMeetPixels(*r, *source);
  bool opaque = kind == Kind::untexturedFans;
  if (!opaque && r) {
    opaque = boundTextureOpaque(*r) ||
             (meets && rectOpaque(*r, source->slot, int(source->left), int(source->top), source->width, source->height));
  }
  d.nearest = meets && r->smoothing == 1;
  if (opaque && colourIsOpaque()) {
    d.unblended = ordinaryBlending();
    d.noAlphaTest = alphaTestPassesOpaque();
  }
  if (meets && opaque && d.unblended && colourIsOpaqueWhite() && alphaTestLetsOpaqueThrough() &&
      slotTexels(*r, source->slot)) {
    d.exact = true;
    d.slot = source->slot;
  }
  return d;
}

// A clear costs about what a draw does; below this many pixels a rectangle
// is cheaper drawn with the others of its run.
constexpr int64_t fewestClearedPixels = 128 * 128;

// Where a quad of an opaque colour may be a clear instead: each pixel it
// covers (the pixel centres inside it, within the viewport) becomes the
// colour, in all four channels, under ordinary blending (src * 1 + dst * 0)
// or none, when no texture, alpha test or turn of the view takes part; a
// clear limited by the scissor box to those pixels writes the same values.
bool clearMayFill(const OpenGLRainbows& r, int64_t width, int64_t height) {
  if (!batch.enabled || width * height < fewestClearedPixels) return false;
  if (!r.viewOneToOne || r.currentRenderTarget != -1 || r.currentSlot >= 0) return false;
  if (!colourIsOpaque()) return false;
  if (!ordinaryBlending() && !capabilityKnown(GlCap::blend, false)) return false;
  if (!alphaTestLetsOpaqueThrough()) return false;
  return capabilityKnown(GlCap::depthTest, false) && capabilityKnown(GlCap::stencilTest, false);
}

// Starts a run of the given kind and decision, drawing a run decided
// otherwise first. False when the vertices must be drawn at once instead.
bool open(Kind kind, int vertices, const TexelSource* source) {
  if (!batch.enabled) return false;
  const RunDecision d = decideRun(kind, source);
  if (batch.kind != kind || !(batch.run == d)) flushDrawBatch();
  if (!reserve(vertices)) {
    flushDrawBatch();
    if (!reserve(vertices)) return false;
  }
  if (d.exact) {
    try {
      batch.exactQuads.push_back(
          {source->x, source->y, int(source->left), int(source->top), source->width, source->height});
    } catch (const std::bad_alloc&) {
      return false;
    }
  }
  batch.run = d;
  batch.kind = kind;
  return true;
}

// Draws an exact run as one composited quad; false when it does not pay.
bool drawComposited(const RunDecision& run) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  const SlotTexels* texels = r ? slotTexels(*r, run.slot) : nullptr;
  if (!texels) return false;
  CompositedRun image;
  if (!compositeRun(*texels, batch.exactQuads.data(), static_cast<int>(batch.exactQuads.size()), image))
    return false;
  // Texels unchanged by the colour (opaque white); transparent ones, where no
  // quad was, blend to the surface as it is. A fully covered image needs no
  // blending. The compositing texture is nearest-sampled already.
  drawWith({true, false, image.covered, run.noAlphaTest}, GL_QUADS, image.corners, 4, true);
  glBindTexture(GL_TEXTURE_2D, r->boundTexture);
  return true;
}

}  // namespace

void flushDrawBatch() {
  if (batch.count == 0) return;
  const Kind kind = batch.kind;
  const int count = batch.count;
  const RunDecision run = batch.run;
  // Cleared first: nothing the draw calls may do can queue into this run again.
  batch.count = 0;
  batch.kind = Kind::none;
  batch.run = RunDecision{};
  const bool composited = run.exact && drawComposited(run);
  batch.exactQuads.clear();
  if (composited) return;
  const bool textured = kind != Kind::untexturedFans;
  // Texels modulated by opaque white are the texels themselves, to the bit:
  // the rasteriser is spared the colour.
  const DrawShortcuts with{textured && colourIsOpaqueWhite(), run.nearest, run.unblended, run.noAlphaTest};
  drawWith(with, kind == Kind::frames ? GL_QUADS : GL_TRIANGLES, batch.vertices.get(), count, textured);
}

void batchFan(const QuadVertex (&c)[4], bool textured, const TexelSource* source) {
  if (!open(textured ? Kind::texturedFans : Kind::untexturedFans, 6, source)) {
    drawArrays(GL_TRIANGLE_FAN, c, 4, textured);
    return;
  }
  QuadVertex* v = &batch.vertices[batch.count];
  v[0] = c[0], v[1] = c[1], v[2] = c[2];
  v[3] = c[0], v[4] = c[2], v[5] = c[3];
  batch.count += 6;
}

void batchFrame(const QuadVertex (&c)[4], const TexelSource* source) {
  if (!open(Kind::frames, 4, source)) {
    drawArrays(GL_QUADS, c, 4, true);
    return;
  }
  QuadVertex* v = &batch.vertices[batch.count];
  for (int i = 0; i < 4; ++i) v[i] = c[i];
  batch.count += 4;
}

bool fillAsClear(int64_t left, int64_t top, int64_t width, int64_t height) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  float colour[4];
  if (!r || !clearMayFill(*r, width, height) || !knownColour(colour)) return false;
  // The rectangle within the viewport, in window pixels from the top left.
  const ViewRect& v = r->viewport;
  const int64_t x0 = std::max<int64_t>(v.x + left, v.x);
  const int64_t x1 = std::min<int64_t>(v.x + left + width, v.x + int64_t(v.width));
  const int64_t y0 = std::max<int64_t>(v.y + top, v.y);
  const int64_t y1 = std::min<int64_t>(v.y + top + height, v.y + int64_t(v.height));
  flushDrawBatch();
  if (x1 <= x0 || y1 <= y0) return true;  // nothing of it in the view
  glEnable(GL_SCISSOR_TEST);
  glScissor(GLint(x0), GLint(r->windowHeight - y1), GLsizei(x1 - x0), GLsizei(y1 - y0));
  glClearColor(colour[0], colour[1], colour[2], colour[3]);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(r->clearColour[0], r->clearColour[1], r->clearColour[2], r->clearColour[3]);
  glDisable(GL_SCISSOR_TEST);
  return true;
}

void setDrawBatching(bool enabled) {
  flushDrawBatch();
  batch.exactQuads.shrink_to_fit();
  batch.enabled = enabled;
}

bool drawBatching() { return batch.enabled; }

}  // namespace mvn
