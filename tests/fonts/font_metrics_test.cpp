// Glyph metrics measured from font images built here: the table of expected
// values is the test.
#include <cstdio>

#include "runtime/gfx2d/fonts/font_loading.h"
#include "runtime/gfx2d/fonts/font_selection.h"
#include "runtime/gfx2d/fonts/font_text.h"
#include "tests/fonts/font_fixture.h"

namespace mvn {
namespace {

using testing::FontPicture;
using testing::GlFonts;
using testing::writeFontFile;

// RGB font keyed with the font colour key (black): 128 x 64, 128 characters
// in 8 x 8 cells, texture 128 wide.
std::string rgbKeyedFont() {
  FontPicture p(128, 64);
  p.inkColumns('A', 2, 5, 0x3080F0);  // ink in columns 2 to 5
  p.inkColumns('B', 3, 7);            // ink reaching the last column
  // 'C' stays empty. 'D' has a black pixel (background under the key) before its ink.
  p.ink('D', 1, 3, 0x000000);
  p.ink('D', 4, 3, 0x202020);
  p.inkColumns('j', 1, 2);
  return writeFontFile(p, "font_rgb_keyed.bmp");
}

// RGBA font with 256 characters (narrower than high): 112 x 128, cells 7 x 8.
// Ink is opaque black (alpha decides, not the key); a white pixel of alpha 0
// is no ink.
std::string rgba256Font() {
  FontPicture p(112, 128);
  p.inkColumns('A', 0, 6, 0x000000);
  p.ink(0xC1, 3, 7, 0x000000);       // its own glyph, not a copy of 'A'
  p.ink('B', 2, 2, 0xFFFFFF, 0);
  p.inkColumns('j', 2, 4, 0x000000);
  return writeFontFile(p, "font_rgba_256.png");
}

// A square image (W = H) has 128 characters: 112 x 112, cells 7 x 14.
std::string squareFont() {
  FontPicture p(112, 112);
  p.ink('A', 1, 13);  // in the last row of a 14-row cell
  p.ink('A', 5, 0);
  return writeFontFile(p, "font_square.png");
}

struct GlyphCase {
  int font;  // 0 rgb keyed, 1 rgba 256, 2 square
  int code;
  int inkLeft, advance;
  int s0, s1;  // texture coordinates in 1/128ths (every texture here is 128 wide)
};

const GlyphCase kGlyphs[] = {
    {0, 'A', 2, 5, 8 + 2, 8 + 7},      // ink 2..5 and one column of spacing
    {0, 'B', 3, 5, 16 + 3, 16 + 8},    // ink at the cell's edge: no spacing column
    {0, 'C', 0, 8, 24, 24},            // empty cell: the whole cell, no texture span
    {0, 'D', 4, 2, 32 + 4, 32 + 6},    // black is background
    {0, 'j', 1, 3, 80 + 1, 80 + 4},
    {0, ' ', 0, 3, 0, 3},              // as wide as j
    {0, 0xC1, 2, 5, 8 + 2, 8 + 7},     // 128..255 copy 0..127
    {0, 0xEA, 1, 3, 80 + 1, 80 + 4},   // j's copy
    {0, 0xA0, 0, 8, 0, 0},             // copied before j changed the space
    {1, 'A', 0, 7, 7, 14},             // full 7-pixel cell: no spacing column
    {1, 0xC1, 3, 2, 7 + 3, 7 + 5},     // a glyph of its own in 256 characters
    {1, 'B', 0, 7, 14, 14},            // alpha 0 is no ink
    {1, 'j', 2, 4, 70 + 2, 70 + 6},
    {1, ' ', 0, 4, 0, 4},
    {1, 0xA0, 0, 7, 0, 0},
    {2, 'A', 1, 6, 7 + 1, 7 + 7},      // 14-row cells: the last row counts
    {2, 0xC1, 1, 6, 7 + 1, 7 + 7},
};

struct WidthCase {
  int font;
  const char* text;
  int fixed, proportional;
};

const WidthCase kWidths[] = {
    {0, "AB", 16, 10},
    {0, " j", 16, 6},
    {0, "\xC1", 8, 5},
    {0, "A\x80", 16, 13},    // every byte counts, 0x80 with glyph 128 (empty: a whole cell)
    {1, "\xC1" "A", 14, 9},
    {2, "AC", 14, 13},
};

TEST_F(GlFonts, GlyphMetricsAndTextWidthsMatchTheTable) {
  const std::string files[] = {rgbKeyedFont(), rgba256Font(), squareFont()};
  for (int f = 0; f < 3; ++f) {
    loadFont(files[f].c_str(), 5 + f);
    ASSERT_EQ(errorCode, 0) << files[f];
  }
  for (const GlyphCase& c : kGlyphs) {
    const GlyphInfo& g = r->fonts.glyphs[5 + c.font][c.code];
    SCOPED_TRACE(::testing::Message() << "font " << c.font << " code " << c.code);
    EXPECT_EQ(g.inkLeft, c.inkLeft);
    EXPECT_EQ(g.advance, c.advance);
    EXPECT_FLOAT_EQ(g.s0 * 128, float(c.s0));
    EXPECT_FLOAT_EQ(g.s1 * 128, float(c.s1));
  }
  for (const WidthCase& c : kWidths) {
    SCOPED_TRACE(::testing::Message() << "font " << c.font << " text " << c.text);
    setFont(5 + c.font, 1);
    EXPECT_EQ(textWidth(c.text, 0), c.fixed);
    EXPECT_EQ(textWidth(c.text, 1), c.proportional);
    setFont(5 + c.font, 2);  // the scale multiplies every advance
    EXPECT_EQ(textWidth(c.text, 0), 2 * c.fixed);
    EXPECT_EQ(textWidth(c.text, 1), 2 * c.proportional);
  }
}

TEST_F(GlFonts, FontSizeFollowsTheGridAndTheScale) {
  const std::string files[] = {rgbKeyedFont(), rgba256Font(), squareFont()};
  const struct {
    int file;
    double scale;
    double width, height;
    int widthInt, heightInt;
  } cases[] = {
      {0, 1, 8, 8, 8, 8},
      {1, 1, 7, 8, 7, 8},
      {2, 1, 7, 14, 7, 14},
      {2, 2, 14, 28, 14, 28},
      {2, 0.5, 3.5, 7, 3, 7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << files[c.file] << " scale " << c.scale);
    loadFont(files[c.file].c_str(), 3);
    setFont(3, c.scale);
    double w = 0, h = 0;
    getFontSize(w, h);
    EXPECT_DOUBLE_EQ(w, c.width);
    EXPECT_DOUBLE_EQ(h, c.height);
    int wi = 0, hi = 0;
    getFontSize(wi, hi);
    EXPECT_EQ(wi, c.widthInt);
    EXPECT_EQ(hi, c.heightInt);
  }
}

}  // namespace
}  // namespace mvn
