// The draw batch: consecutive quads that share texture and state go to GL as
// one draw from one growing vertex array.
//
// A quad is queued with the vertices its command would have drawn on its own,
// and the batch sends them in the same order and as the same triangles: a
// four-corner fan becomes the triangles 0-1-2 and 0-2-3 (what GL makes of the
// fan), an animation frame stays a GL quad. The rasteriser therefore covers
// exactly the pixels the single draws would have covered.
//
// The batch is drawn (flushed) before anything that changes the state it was
// queued under (texture, wrap and filter, blending, alpha test, colour,
// shading, matrices, viewport) and before anything that reads or shows the
// surface. The renderer's own state functions (gl_state.h, texture_binding.h,
// view.h) flush by themselves. Any other code that draws with GL directly,
// changes GL state behind the renderer's back or reads the surface (the
// buffer swap, glReadPixels, glCopyTexImage2D, a texture read-back of a
// render target) must call flushDrawBatch() first.
#pragma once

#include <cstdint>

#include "runtime/gfx2d/drawing/drawing.h"

namespace mvn {

// Draws whatever is queued. Cheap when nothing is.
void flushDrawBatch();

// What a quad of a slot texture shows, when it shows a rectangle of the
// slot's image at the image's own size with its top left corner at a whole
// pixel (x, y) of the program's coordinates: the drawing is then exact where
// the view is one to one (see decideRun in draw_batch.cpp).
struct TexelSource {
  int slot;
  int x, y;                        // top left corner of the quad
  int64_t left, top;               // image rectangle, rows from the top
  int width, height;
};

// Queues a four-corner fan (drawQuad): textured with the bound texture when
// textured, else untextured. source, when given, says what it shows.
void batchFan(const QuadVertex (&corners)[4], bool textured, const TexelSource* source = nullptr);

// Queues an animation frame: a textured GL quad of four corners.
void batchFrame(const QuadVertex (&corners)[4], const TexelSource* source = nullptr);

// Each run leaves out the work that cannot change a bit (decideRun in
// draw_batch.cpp):
// - a run whose every fragment has alpha 1 (an opaque colour, untextured or
//   on texels that all have alpha 255: the whole texture, or the frame or
//   image the quad shows) is drawn without blending and alpha test;
// - a run of quads whose texels meet pixel centres is sampled nearest;
// - a run of exact quads that overlap enough is composited on the CPU and
//   drawn as one quad (run_composite.h).
//
// Fills a rectangle of the program's coordinates (whole pixels) with the
// current colour as a clear of the surface instead of a drawn quad, where
// that leaves every pixel as the quad would: a large rectangle of an opaque
// colour, untextured, in a one-to-one view, under ordinary blending or none
// and an alpha test that passes it (see decideRun in draw_batch.cpp). False,
// with nothing drawn, elsewhere.
bool fillAsClear(int64_t left, int64_t top, int64_t width, int64_t height);

// Batching on (the default) or off: off, every command draws at once as it
// did before batching existed, blended as the state says.
// The environment variable MORVANE_NO_BATCH=1 turns it off at start-up.
void setDrawBatching(bool enabled);
bool drawBatching();

}  // namespace mvn
