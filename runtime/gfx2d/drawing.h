// The 2D drawing commands: rectangles, sprites, animation frames, lines and
// pixels, drawn at once into the current surface.
#pragma once

namespace mvn {

class OpenGLRainbows;
struct SpriteSlot;

// A corner of a quad: position and texture coordinates.
struct QuadVertex {
  float x, y, s, t;
};

// Draws four corners as one triangle fan from client arrays, textured with
// the bound slot (clamped to its edges) when one is bound.
void drawQuad(OpenGLRainbows& renderer, const QuadVertex (&corners)[4]);

// Current colour back to white at the global alpha.
void restoreColour(const OpenGLRainbows& renderer);

// Column and row of an animation frame; false when the slot has no frame size.
bool framePosition(const SpriteSlot& slot, int frame, int& column, int& row);

void setAlphaMode(double value);
void setSmoothing(int flag);
void setAlphaTest(double value);
void drawRect(int x, int y, int width, int height, int colour);
void drawSprite(int slot, int x, int y);
void stretchSprite(int slot, int x, int y, int width, int height);
void zoomSprite(int slot, int x, int y, double xZoom, double yZoom);
void rotoSprite(int slot, int x, int y, double angle);
void rotoZoomSprite(int slot, int x, int y, double angle, double zoom);
void drawAnim(int slot, int frame, int x, int y);
void stretchAnim(int slot, int frame, int x, int y, int width, int height);
void rotoZoomAnim(int slot, int frame, int x, int y, double angle, double zoom);
void drawLine(int x1, int y1, int x2, int y2, int colour);
void setPixel(int x, int y, int colour);
int getPixel(int x, int y);

}  // namespace mvn
