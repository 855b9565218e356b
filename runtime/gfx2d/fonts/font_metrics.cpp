#include "runtime/gfx2d/fonts/font_metrics.h"

namespace mvn {

namespace {

constexpr int letterJ = 106;
constexpr int space = 32;

// First and last column of a cell holding ink; false for an empty cell.
bool inkColumns(const uint8_t* rgba, int stride, int cellX, int cellY, const FontGrid& grid,
                int& left, int& right) {
  left = grid.cellWidth;
  right = -1;
  for (int y = 0; y < grid.cellHeight; ++y) {
    const uint8_t* row = rgba + (int64_t(cellY) + y) * stride * 4 + int64_t(cellX) * 4;
    for (int x = 0; x < grid.cellWidth; ++x) {
      if (row[x * 4 + 3] == 0) continue;
      if (x < left) left = x;
      if (x > right) right = x;
    }
  }
  return right >= 0;
}

}  // namespace

FontGrid fontGrid(int imageWidth, int imageHeight) {
  FontGrid grid;
  grid.cellWidth = imageWidth >> 4;
  if (imageWidth >= imageHeight) {
    grid.rows = 8;
    grid.characters = 128;
  } else {
    grid.rows = 16;
    grid.characters = 256;
  }
  grid.cellHeight = imageHeight / grid.rows;
  return grid;
}

void measureGlyphs(const uint8_t* rgba, int stride, int width, int height, int textureWidth,
                   GlyphInfo (&glyphs)[glyphCount]) {
  const FontGrid grid = fontGrid(width, height);
  const float tw = static_cast<float>(textureWidth > 0 ? textureWidth : 1);
  for (int c = 0; c < grid.characters; ++c) {
    const int col = c % 16;
    const int row = c / 16;
    const int cellLeft = grid.cellWidth * col;
    GlyphInfo& g = glyphs[c];
    int left = 0, right = -1;
    if (!rgba || !inkColumns(rgba, stride, cellLeft, grid.cellHeight * row, grid, left, right)) {
      g.inkLeft = 0;
      g.advance = static_cast<uint8_t>(grid.cellWidth);
      g.s0 = g.s1 = static_cast<float>(cellLeft) / tw;
    } else {
      int inkWidth = right - left + 1;
      if (left + inkWidth < grid.cellWidth) ++inkWidth;  // one column of spacing
      g.inkLeft = static_cast<uint8_t>(left);
      g.advance = static_cast<uint8_t>(inkWidth);
      g.s0 = static_cast<float>(left + cellLeft) / tw;
      g.s1 = static_cast<float>(left + inkWidth + cellLeft) / tw;
    }
    if (c == letterJ) {
      // Proportional spaces are as wide as the letter j.
      GlyphInfo& s = glyphs[space];
      s.advance = g.advance;
      s.s1 = g.s1 - g.s0;
      s.s0 = 0;
    }
    if (grid.characters == 128) glyphs[c + 128] = g;
  }
}

}  // namespace mvn
