// The cell grid of a font image and the glyph metrics measured from its ink.
#pragma once

#include <cstdint>

#include "runtime/gfx2d/font_tables.h"

namespace mvn {

// A font image holds 16 columns of cells: 8 rows (128 characters) when it is
// at least as wide as high, else 16 rows (256 characters).
struct FontGrid {
  int cellWidth = 0;   // image width div 16
  int cellHeight = 0;  // image height div the row count
  int rows = 8;
  int characters = 128;
};

FontGrid fontGrid(int imageWidth, int imageHeight);

// Measures every character cell of an RGBA image (rows from the top, `stride`
// pixels apart) whose texture is textureWidth texels wide. Ink is any pixel
// with non-zero alpha. A glyph's advance is its ink's width plus one column of
// spacing when the cell has room; an empty cell advances the whole cell. The
// space takes the advance and texture width of the letter j, and in a
// 128-character font codes 128 to 255 copy 0 to 127.
void measureGlyphs(const uint8_t* rgba, int stride, int width, int height, int textureWidth,
                   GlyphInfo (&glyphs)[glyphCount]);

}  // namespace mvn
