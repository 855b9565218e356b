// The 2D drawing commands: rectangles, sprites, animation frames, lines and
// pixels, drawn at once into the current surface.
#pragma once

#include "morvane/drawing.h"

namespace mvn {

class OpenGLRainbows;
struct SpriteSlot;
struct TexelSource;

// A corner of a quad: position and texture coordinates.
struct QuadVertex {
  float x, y, s, t;
};

// Draws four corners as one triangle fan from client arrays, textured with
// the bound slot (clamped to its edges) when one is bound.
// source, when given, says what the quad shows (draw_batch.h).
void drawQuad(OpenGLRainbows& renderer, const QuadVertex (&corners)[4],
              const TexelSource* source = nullptr);

// Current colour back to the tint (white unless the program set one) at the
// global alpha.
void restoreColour(const OpenGLRainbows& renderer);

// The colour of a shape: the colour times the tint, at the global alpha (the
// key colour drawn invisible).
void setShapeColour(const OpenGLRainbows& renderer, int colour);

// Column and row of an animation frame; false when the slot has no frame size.
bool framePosition(const SpriteSlot& slot, int frame, int& column, int& row);


}  // namespace mvn
