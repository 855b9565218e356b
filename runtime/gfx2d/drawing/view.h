// Where 2D drawing lands in the window: viewport, orthographic projection,
// orientation and virtual resolution.
#pragma once

#include "morvane/view.h"

namespace mvn {

class OpenGLRainbows;

// The virtual-resolution record: scale 0 means off.
struct VirtualResolution {
  float scale = 0;
  int offsetX = 0;
  int offsetY = 0;
  int width = 0;   // requested virtual size
  int height = 0;
};

const VirtualResolution& virtualResolution();

// Sets viewport, projection and model-view for a rectangle of the surface
// (width or height below 1: the whole surface), scaled by scale.
void setView(OpenGLRainbows& renderer, int x, int y, int width, int height, float scale);

// Ends drawing into a render target, if one is chosen: drawing goes to the
// window again, over its whole surface.
void endRenderTarget(OpenGLRainbows& renderer);

// The start-up drawing state: whole-surface view and every GL setting the
// renderer relies on.
void make2D(OpenGLRainbows& renderer);

// viewport(0, 0, 0, 0) on the given renderer: the whole screen, through the
// virtual scale when one is set.
void wholeScreenView(OpenGLRainbows& renderer);

// The window pixel (column, row counted from the top) under a pixel of the
// program's screen (through orientation and virtual scale; the viewport's own
// origin does not move it); false when it lies outside the window.
bool windowPixelOf(const OpenGLRainbows& renderer, int x, int y, int& column, int& row);

// The program's screen size: the virtual size, turned with the orientation.
void screenSize(const OpenGLRainbows& renderer, int& width, int& height);



}  // namespace mvn
