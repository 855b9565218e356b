// Polygons built vertex by vertex and drawn from client arrays.
#pragma once

#include <cstdint>

namespace mvn {

// One polygon vertex as GL reads it: position, texture coordinates, colour.
struct PolyVertex {
  float x, y;
  float s, t;
  uint8_t red, green, blue, alpha;
};
static_assert(sizeof(PolyVertex) == 20, "vertex layout is read by GL with stride 20");

// Begins a polygon textured with the slot (-1: untextured); mode 0 fan,
// 1 triangles, 2 strip.
void startPoly(int slot, int mode);
// Adds a vertex; texture coordinates in image pixels from the top-left corner.
void polyVector(double x, double y, double textureX, double textureY, int colour);
// Starts a new strip inside the polygon (degenerate triangles join the strips).
void polyNewStrip();
// Draws the polygon; the buffer stays for the next one.
void endPoly();

// The vertices gathered so far (for inspection).
const PolyVertex* polyVertices();
int polyVertexCount();
int polyCapacity();
bool polyHasColours();

}  // namespace mvn
