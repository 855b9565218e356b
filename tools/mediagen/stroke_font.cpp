#include "stroke_font.h"

#include <cstdint>
#include <vector>

#include "image_io.h"
#include "runtime/gfx2d/fonts/font_builtin.h"

namespace mediagen {

bool writeStrokeFont(const std::string& path, const StrokeFontColours& colours) {
  std::vector<uint8_t> builtin(mvn::builtinFontWidth * mvn::builtinFontHeight * 4);
  mvn::drawBuiltinFontImage(builtin.data());
  auto inked = [&](int code, int k, int r) {
    if (k < 0 || k > 4 || r < 0 || r > 5) return false;
    const int x = (code % 16) * 8 + 1 + k, y = (code / 16) * 8 + 1 + r;
    return builtin[(y * mvn::builtinFontWidth + x) * 4] == 255;
  };
  Canvas c(256, 128, 4);
  for (const float width : {4.2f, 2.2f}) {  // the edge first, then the stroke over it
    for (int code = 33; code < 128; ++code) {
      const float left = (code % 16) * 16 + 3, top = (code / 16) * 16 + 2.5f;
      auto point = [&](int k, int r) { return Point{left + 2 * k, top + 2 * r}; };
      auto paint = [&](float, float y) {
        return width > 3 ? colours.edge : mix(colours.top, colours.bottom, clamp01((y - top) / 11));
      };
      for (int r = 0; r < 6; ++r) {
        for (int k = 0; k < 5; ++k) {
          if (!inked(code, k, r)) continue;
          c.fill(circle(point(k, r).x, point(k, r).y, width / 2), paint);
          if (inked(code, k + 1, r)) c.fill(segment(point(k, r), point(k + 1, r), width), paint);
          if (inked(code, k, r + 1)) c.fill(segment(point(k, r), point(k, r + 1), width), paint);
          // Diagonals only where no straight stroke already turns the corner.
          if (inked(code, k + 1, r + 1) && !inked(code, k + 1, r) && !inked(code, k, r + 1))
            c.fill(segment(point(k, r), point(k + 1, r + 1), width), paint);
          if (inked(code, k - 1, r + 1) && !inked(code, k - 1, r) && !inked(code, k, r + 1))
            c.fill(segment(point(k, r), point(k - 1, r + 1), width), paint);
        }
      }
    }
  }
  return writePng(path, c.width(), c.height(), c.rgba8());
}

}  // namespace mediagen
