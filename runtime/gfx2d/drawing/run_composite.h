// Compositing a run of exact quads on the CPU.
//
// A quad is exact when it shows a rectangle of its slot's image at the
// image's own size, at a whole-pixel position, through a one-to-one view, in
// opaque white, with texels that all have alpha 255, under ordinary blending
// and an alpha test that passes them: every pixel it covers then becomes the
// texel over it, bit for bit, and the last quad over a pixel wins. A run of
// such quads of one texture is therefore a copy of texels. Where the quads
// overlap enough, copying them into one small image and drawing that as one
// quad costs far less than rasterising them one by one; the image's texels
// that no quad covers are transparent and leave the surface as it was.
#pragma once

#include <cstdint>

#include "runtime/gfx2d/drawing/drawing.h"

namespace mvn {

struct SlotTexels;

// An exact quad: its top left pixel on the surface and the image rectangle it
// shows (rows from the top).
struct ExactQuad {
  int x, y;
  int left, top, width, height;
};

// The composited run, ready to draw as one GL quad with `texture` bound.
struct CompositedRun {
  uint32_t texture = 0;
  QuadVertex corners[4];
  bool covered = false;  // every pixel of the quad is covered: no texel is transparent
};

// Fewest quads, and least overlap (summed quad area / bounding area), for
// which compositing pays; and the largest bounding side it takes on.
constexpr int fewestCompositedQuads = 16;
constexpr int leastCompositedOverlap = 2;
constexpr int largestCompositedSide = 2048;

// Copies the run's quads into the compositing texture, which it leaves bound
// on unit 0. False, with nothing changed, when the run does not pay (too few
// quads, too little overlap, too large) or memory runs out.
bool compositeRun(const SlotTexels& texels, const ExactQuad* quads, int count, CompositedRun& out);

// How many runs have been composited so far (for tests and measurements).
int64_t compositedRuns();

// The compositing texture goes with the context it was made in.
void releaseCompositeTexture();

}  // namespace mvn
