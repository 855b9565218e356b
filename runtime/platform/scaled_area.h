// Where the drawing surface of a scaled window lands in the window's area:
// the largest size that fits, keeping the shape, centred; and the way back
// from a pixel of the area to a pixel of the surface. Pure arithmetic, shared
// by the presentation (runtime/app) and the pointer positions (the layer).
#pragma once

namespace mvn::platform {

struct ScaledArea {
  int x = 0, y = 0;           // the surface's top-left in the area, pixels from the top-left
  int width = 0, height = 0;  // the surface's size in the area; 0 by 0 when nothing fits
  bool whole = false;         // a whole-number scale, the same on both axes: shown sharp
};

// The surface drawingWidth x drawingHeight shown in an area of areaWidth x
// areaHeight pixels. Sizes below 1 give an empty area.
ScaledArea fitDrawing(int drawingWidth, int drawingHeight, int areaWidth, int areaHeight);

// The surface column (or row) under area pixel `pixel` of one axis:
// floor((pixel - offset) * drawingSize / scaledSize). Pixels in the bars give
// columns outside 0..drawingSize - 1 (negative before the surface, beyond it
// after), as positions outside an unscaled window do.
int surfacePixel(double pixel, int offset, int scaledSize, int drawingSize);

// The first area pixel whose surface pixel is `surface` (the inverse of
// surfacePixel wherever a scale of 1 or more has one).
int areaPixel(int surface, int offset, int scaledSize, int drawingSize);

// How many times its drawing size a scaled window opens at, on a display of
// dotsPerInch where the window system counts in pixels (no scaling of its
// own): the whole number of times 96 dpi goes into it (1 below 192, or when
// unknown: 0 or less), less while the window would not fit the usable area.
int openingScale(double dotsPerInch, int drawingWidth, int drawingHeight, int usableWidth,
                 int usableHeight);

}  // namespace mvn::platform
