// Shapes: outlined rectangles, wide lines, filled and outlined ellipses and
// circles, drawn as untextured quads through the draw batch in the shape's
// colour times the tint.
#include <algorithm>
#include <cmath>

#include "runtime/core/runtime_objects.h"
#include "runtime/gfx2d/drawing/drawing.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/drawing/texture_binding.h"

namespace mvn {

namespace {

constexpr double kPi = 3.14159265358979323846;

// The renderer, ready for untextured quads in the colour; null when there is none.
OpenGLRainbows* shapeRenderer(int colour) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return nullptr;
  setShapeColour(*r, colour);
  bindSlot(*r, -1);
  return r;
}

void quad(OpenGLRainbows& r, double x0, double y0, double x1, double y1, double x2, double y2, double x3,
          double y3) {
  const QuadVertex corners[4] = {{float(x0), float(y0), 0, 0},
                                 {float(x1), float(y1), 0, 0},
                                 {float(x2), float(y2), 0, 0},
                                 {float(x3), float(y3), 0, 0}};
  drawQuad(r, corners);
}

void box(OpenGLRainbows& r, double left, double top, double width, double height) {
  quad(r, left, top + height, left + width, top + height, left + width, top, left, top);
}

// Enough corners that no chord strays half a pixel from the curve; even.
int cornersFor(double radiusX, double radiusY) {
  const double radius = std::max(radiusX, radiusY);
  const int n = int(std::ceil(kPi / std::acos(std::max(0.0, 1.0 - 0.25 / std::max(radius, 0.5)))));
  return std::clamp(n + (n & 1), 8, 720);
}

bool usableRadii(double radiusX, double radiusY) {
  return radiusX > 0 && radiusY > 0 && radiusX < 1e7 && radiusY < 1e7;
}

}  // namespace

void drawRectOutline(int x, int y, int width, int height, int colour) {
  if (width == 0 || height == 0) return;
  OpenGLRainbows* r = shapeRenderer(colour);
  if (!r) return;
  double left = x, top = y, w = width, h = height;
  if (w < 0) left += w + 1, w = -w;
  if (h < 0) top += h + 1, h = -h;
  box(*r, left, top, w, 1);
  if (h > 1) box(*r, left, top + h - 1, w, 1);
  if (h > 2) {
    box(*r, left, top + 1, 1, h - 2);
    if (w > 1) box(*r, left + w - 1, top + 1, 1, h - 2);
  }
  restoreColour(*r);
}

void drawWideLine(double x1, double y1, double x2, double y2, double width, int colour) {
  if (!(width > 0) || !(width < 1e7)) return;
  const double dx = x2 - x1, dy = y2 - y1;
  const double length = std::hypot(dx, dy);
  if (!std::isfinite(length)) return;
  OpenGLRainbows* r = shapeRenderer(colour);
  if (!r) return;
  // Across the line by half the width; a line of no length is a square.
  const double ux = length > 0 ? dx / length : 1, uy = length > 0 ? dy / length : 0;
  const double nx = -uy * width / 2, ny = ux * width / 2;
  const double ex = length > 0 ? 0 : width / 2, ey = 0;
  quad(*r, x1 - ex + nx, y1 - ey + ny, x2 + ex + nx, y2 + ey + ny, x2 + ex - nx, y2 + ey - ny, x1 - ex - nx,
       y1 - ey - ny);
  restoreColour(*r);
}

void fillEllipse(double x, double y, double radiusX, double radiusY, int colour) {
  if (!usableRadii(radiusX, radiusY)) return;
  OpenGLRainbows* r = shapeRenderer(colour);
  if (!r) return;
  const int n = cornersFor(radiusX, radiusY);
  auto px = [&](int i) { return x + radiusX * std::cos(2 * kPi * i / n); };
  auto py = [&](int i) { return y - radiusY * std::sin(2 * kPi * i / n); };
  // Two slices of the pie a quad: (centre, i, i + 1) and (centre, i + 1, i + 2).
  for (int i = 0; i < n; i += 2) quad(*r, x, y, px(i), py(i), px(i + 1), py(i + 1), px(i + 2), py(i + 2));
  restoreColour(*r);
}

void drawEllipse(double x, double y, double radiusX, double radiusY, int colour) {
  if (!usableRadii(radiusX, radiusY)) return;
  OpenGLRainbows* r = shapeRenderer(colour);
  if (!r) return;
  // A ring one pixel wide, centred on the curve.
  const double innerX = std::max(radiusX - 0.5, 0.0), innerY = std::max(radiusY - 0.5, 0.0);
  const double outerX = radiusX + 0.5, outerY = radiusY + 0.5;
  const int n = cornersFor(outerX, outerY);
  for (int i = 0; i < n; ++i) {
    const double c0 = std::cos(2 * kPi * i / n), s0 = std::sin(2 * kPi * i / n);
    const double c1 = std::cos(2 * kPi * (i + 1) / n), s1 = std::sin(2 * kPi * (i + 1) / n);
    quad(*r, x + innerX * c0, y - innerY * s0, x + outerX * c0, y - outerY * s0, x + outerX * c1, y - outerY * s1,
         x + innerX * c1, y - innerY * s1);
  }
  restoreColour(*r);
}

void fillCircle(double x, double y, double radius, int colour) { fillEllipse(x, y, radius, radius, colour); }

void drawCircle(double x, double y, double radius, int colour) { drawEllipse(x, y, radius, radius, colour); }

int rectsOverlap(int xA, int yA, int widthA, int heightA, int xB, int yB, int widthB, int heightB) {
  if (widthA <= 0 || heightA <= 0 || widthB <= 0 || heightB <= 0) return 0;
  // In 64 bits: a far rectangle's edge does not wrap around.
  return int64_t(xA) < int64_t(xB) + widthB && int64_t(xB) < int64_t(xA) + widthA &&
                 int64_t(yA) < int64_t(yB) + heightB && int64_t(yB) < int64_t(yA) + heightA
             ? 1
             : 0;
}

int pointInRect(int px, int py, int x, int y, int width, int height) {
  return px >= x && py >= y && int64_t(px) < int64_t(x) + width && int64_t(py) < int64_t(y) + height ? 1 : 0;
}

}  // namespace mvn
