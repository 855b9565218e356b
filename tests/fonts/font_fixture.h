// Font images drawn cell by cell in the tests, written as font files, on a
// window with a fresh drawing state and fresh font tables.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/core/runtime_settings.h"
#include "runtime/gfx2d/images/decoded_image.h"
#include "runtime/gfx2d/fonts/font_metrics.h"
#include "runtime/gfx2d/font_tables.h"
#include "runtime/gfx2d/images/image_writer.h"
#include "tests/gfx2d/gl_fixture.h"

namespace mvn::testing {

// An RGBA font image, rows from the top, with the cell grid of its size.
struct FontPicture {
  FontPicture(int w, int h) : width(w), height(h), grid(fontGrid(w, h)), rgba(size_t(w) * h * 4, 0) {}

  // Pixel (x, y) of character code's cell.
  void ink(int code, int x, int y, uint32_t colour = 0xFFFFFF, uint8_t alpha = 255) {
    const int px = (code % 16) * grid.cellWidth + x;
    const int py = (code / 16) * grid.cellHeight + y;
    uint8_t* p = &rgba[(size_t(py) * width + px) * 4];
    p[0] = colour & 255;
    p[1] = (colour >> 8) & 255;
    p[2] = (colour >> 16) & 255;
    p[3] = alpha;
  }
  // Every pixel of columns from..to (cell coordinates) in the cell's rows.
  void inkColumns(int code, int from, int to, uint32_t colour = 0xFFFFFF) {
    for (int x = from; x <= to; ++x)
      for (int y = 0; y < grid.cellHeight; ++y) ink(code, x, y, colour);
  }
  // The colour (no alpha) at (x, y) of the image, or black where it has no ink.
  uint32_t shown(int x, int y) const {
    const uint8_t* p = &rgba[(size_t(y) * width + x) * 4];
    return p[3] == 0 ? 0 : (p[0] | p[1] << 8 | p[2] << 16);
  }

  int width, height;
  FontGrid grid;
  std::vector<uint8_t> rgba;
};

// Writes the picture as a font file: ".png" keeps its alpha, ".bmp" is RGB
// (alpha dropped, so the font colour key decides what is ink).
inline std::string writeFontFile(const FontPicture& picture, const std::string& name) {
  DecodedImage image;
  EXPECT_TRUE(image.prepare(picture.width, picture.height));
  std::copy(picture.rgba.begin(), picture.rgba.end(), image.pixels);
  const std::string path = std::string(MORVANE_BINARY_DIR) + "/tmp/" + name;
  EXPECT_TRUE(saveImage(path.c_str(), image)) << path;
  return path;
}

class GlFonts : public GlDrawing {
 protected:
  void SetUp() override {
    GlDrawing::SetUp();
    r->fonts = FontTables{};
    r->fontColourKey = 0;  // black, as before any setTransparency
    currentFontIndex = 0;
  }
};

}  // namespace mvn::testing
