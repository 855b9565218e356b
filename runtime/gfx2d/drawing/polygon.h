// Polygons built vertex by vertex and drawn from client arrays.
#pragma once

#include "morvane/drawing.h"

#include <cstdint>

namespace mvn {

// One polygon vertex as GL reads it: position, texture coordinates, colour.
struct PolyVertex {
  float x, y;
  float s, t;
  uint8_t red, green, blue, alpha;
};
static_assert(sizeof(PolyVertex) == 20, "vertex layout is read by GL with stride 20");






// The vertices gathered so far (for inspection).
const PolyVertex* polyVertices();
int polyVertexCount();
int polyCapacity();
bool polyHasColours();

}  // namespace mvn
