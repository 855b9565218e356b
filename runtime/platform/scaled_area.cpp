#include "runtime/platform/scaled_area.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace mvn::platform {

namespace {

int heldToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

}  // namespace

ScaledArea fitDrawing(int drawingWidth, int drawingHeight, int areaWidth, int areaHeight) {
  ScaledArea a;
  if (drawingWidth < 1 || drawingHeight < 1 || areaWidth < 1 || areaHeight < 1) return a;
  const int64_t dw = drawingWidth, dh = drawingHeight, aw = areaWidth, ah = areaHeight;
  // Compared crosswise, in integers: the narrower of the two scales wins,
  // and the other side is rounded to the nearest pixel.
  if (aw * dh <= ah * dw) {
    a.width = areaWidth;
    a.height = static_cast<int>((dh * aw + dw / 2) / dw);
  } else {
    a.height = areaHeight;
    a.width = static_cast<int>((dw * ah + dh / 2) / dh);
  }
  if (a.width < 1 || a.height < 1) return ScaledArea{};
  a.x = (areaWidth - a.width) / 2;
  a.y = (areaHeight - a.height) / 2;
  a.whole = a.width % drawingWidth == 0 && a.height % drawingHeight == 0 &&
            a.width / drawingWidth == a.height / drawingHeight;
  return a;
}

int surfacePixel(double pixel, int offset, int scaledSize, int drawingSize) {
  if (scaledSize < 1) return 0;
  return heldToInt(std::floor((pixel - offset) * drawingSize / scaledSize));
}

int areaPixel(int surface, int offset, int scaledSize, int drawingSize) {
  if (drawingSize < 1) return offset;
  return heldToInt(std::ceil(static_cast<double>(surface) * scaledSize / drawingSize) + offset);
}

int openingScale(double dotsPerInch, int drawingWidth, int drawingHeight, int usableWidth,
                 int usableHeight) {
  if (!(dotsPerInch >= 192) || drawingWidth < 1 || drawingHeight < 1) return 1;
  int scale = dotsPerInch >= 96.0 * 16 ? 16 : static_cast<int>(dotsPerInch / 96);
  while (scale > 1 && (int64_t{drawingWidth} * scale > usableWidth ||
                       int64_t{drawingHeight} * scale > usableHeight))
    --scale;
  return scale;
}

}  // namespace mvn::platform
