// The built-in font, read back from its slot: every glyph of the mask table
// with its outline, and the monospaced glyph table.
#include <vector>

#include "runtime/gfx2d/fonts/font_builtin.h"
#include "runtime/gfx2d/sprites/sprite_memory.h"
#include "tests/fonts/font_fixture.h"

namespace mvn {
namespace {

using testing::GlFonts;

// The glyph masks of characters 32 to 127: bit (row * 5 + column).
const uint32_t kMasks[96] = {
    0x00000000, 0x08021080, 0x00002940, 0x15F57D40, 0x08E619C4, 0x14222140, 0x0ED114E0, 0x00001080,
    0x08210880, 0x04421040, 0x09575480, 0x08471080, 0x04400000, 0x00070000, 0x08000000, 0x04222100,
    0x00E5294E, 0x004210C4, 0x00E1390E, 0x00E4390E, 0x0084394A, 0x00E4384E, 0x00E5384E, 0x0042210E,
    0x00E5394E, 0x00E4394E, 0x00020080, 0x00220080, 0x00820888, 0x000701C0, 0x00222082, 0x0040310E,
    0x00E0B526, 0x00A5394E, 0x00E5194E, 0x00E5094E, 0x00E52946, 0x00E1384E, 0x0021384E, 0x00E5284E,
    0x00A5394A, 0x00E2108E, 0x00E5210C, 0x00A5194A, 0x00E10842, 0x015AD6BF, 0x00A5294E, 0x00E5294E,
    0x0021394E, 0x00F294A7, 0x00A5194E, 0x00E4384E, 0x0042108E, 0x00E5294A, 0x0045294A, 0x01FAD6B5,
    0x00A5114A, 0x0042394A, 0x00E1110E, 0x00610846, 0x01041041, 0x00621086, 0x00000144, 0x00E00000,
    0x00000082, 0x00E53000, 0x00E53842, 0x00E13800, 0x00E53908, 0x08273800, 0x00423888, 0x08873800,
    0x00A51842, 0x00421004, 0x04421004, 0x00A32842, 0x00421084, 0x015ABC00, 0x00A51800, 0x00E53800,
    0x04E51800, 0x10E53000, 0x00253800, 0x00E409C0, 0x00C23884, 0x00C52800, 0x00452800, 0x00EAD400,
    0x00A22800, 0x1C872800, 0x00E121C0, 0x00821888, 0x00421084, 0x00223082, 0x0002A800, 0x3F18C63F,
};

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kOutline = 0xFF080808;

bool glyphPixel(int code, int column, int row) {
  if (code < 32 || code > 127 || column < 0 || column > 4 || row < 0 || row > 5) return false;
  return (kMasks[code - 32] >> (row * 5 + column)) & 1;
}

// The packed pixel the built-in font must hold at cell pixel (px, py) of a code.
uint32_t expectedPixel(int code, int px, int py) {
  if (px > 6) return 0;
  const int x = px - 1, y = py - 1;
  if (glyphPixel(code, x, y)) return kWhite;
  if (glyphPixel(code, x + 1, y) || glyphPixel(code, x - 1, y) || glyphPixel(code, x, y - 1) ||
      glyphPixel(code, x, y + 1))
    return kOutline;
  return 0;
}

// The font's image as read back from its slot, rows from the top.
std::vector<uint32_t> builtinImage(int font) {
  std::vector<int32_t> bottomUp;
  EXPECT_EQ(spriteToMem(bottomUp, fontSlot(font)), 1);
  std::vector<uint32_t> image(bottomUp.size());
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 128; ++x) image[size_t(y) * 128 + x] = uint32_t(bottomUp[size_t(63 - y) * 128 + x]);
  return image;
}

TEST_F(GlFonts, BuiltinFontImageMatchesTheMaskTableBitForBit) {
  buildBuiltinFont(*r, 7);
  const std::vector<uint32_t> image = builtinImage(7);
  ASSERT_EQ(image.size(), 128u * 64u);
  int mismatches = 0;
  for (int code = 0; code < 128; ++code) {
    for (int py = 0; py < 8; ++py) {
      for (int px = 0; px < 8; ++px) {
        const uint32_t got = image[size_t((code / 16) * 8 + py) * 128 + (code % 16) * 8 + px];
        if (got != expectedPixel(code, px, py) && ++mismatches < 10)
          ADD_FAILURE() << "code " << code << " pixel (" << px << ", " << py << ") " << std::hex << got;
      }
    }
  }
  EXPECT_EQ(mismatches, 0);

  // Capital A as the eye sees it: # white, o outline.
  const char* const art[8] = {"..ooo...", ".o###o..", ".o#o#o..", ".o###o..",
                              ".o#o#o..", ".o#o#o..", "..o.o...", "........"};
  for (int py = 0; py < 8; ++py) {
    std::string row;
    for (int px = 0; px < 8; ++px) {
      const uint32_t p = image[size_t(4 * 8 + py) * 128 + 8 + px];
      row += p == kWhite ? '#' : p == kOutline ? 'o' : p == 0 ? '.' : '?';
    }
    EXPECT_EQ(row, art[py]) << "row " << py;
  }
}

TEST_F(GlFonts, BuiltinFontIsMonospacedAtScaleFour) {
  buildBuiltinFont(*r, 31);
  const SpriteSlot& s = r->spriteSlots[fontSlot(31)];
  EXPECT_EQ(s.imageWidth, 128);
  EXPECT_EQ(s.imageHeight, 64);
  EXPECT_EQ(s.textureWidth, 128);
  EXPECT_EQ(s.textureHeight, 64);
  EXPECT_EQ(s.uExtent, 1.0f);
  EXPECT_EQ(s.vExtent, 1.0f);
  EXPECT_EQ(r->fonts.fontScale[31], 4.0f);
  for (int c = 0; c < 256; ++c) {
    const GlyphInfo& g = r->fonts.glyphs[31][c];
    EXPECT_EQ(g.inkLeft, 0) << c;
    EXPECT_EQ(g.advance, 8) << c;
    EXPECT_EQ(g.s0, float((c % 16) * 8) / 128) << c;
    EXPECT_EQ(g.s1, float((c % 16) * 8 + 8) / 128) << c;
  }
  // Nearest-texel filtering and no mip copy, as every font slot.
  EXPECT_EQ(s.mipTexture, 0u);
  glBindTexture(GL_TEXTURE_2D, s.texture);
  GLint filter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
  EXPECT_EQ(filter, GL_NEAREST);
  forgetBindings(*r);
}

}  // namespace
}  // namespace mvn
