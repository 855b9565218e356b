#include "runtime/gfx2d/fonts/font_builtin.h"

#include <vector>

#include "runtime/gfx2d/font_tables.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/sprites/sprite_store.h"

namespace mvn {

namespace {

constexpr int firstGlyph = 32;
constexpr int cellSide = 8;
constexpr int glyphWidth = 5;
constexpr int glyphHeight = 6;

// One mask per character 32 to 127: bit (row * 5 + column) is the glyph
// pixel in that column (0..4) and row (0..5), rows from the top.
constexpr uint32_t glyphMasks[96] = {
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

// A glyph pixel; everything outside the 5 x 6 glyph is unset.
bool isSet(uint32_t mask, int column, int row) {
  if (column < 0 || column >= glyphWidth || row < 0 || row >= glyphHeight) return false;
  return (mask >> (row * glyphWidth + column)) & 1u;
}

void put(uint8_t* p, uint8_t grey, uint8_t alpha) {
  p[0] = p[1] = p[2] = grey;
  p[3] = alpha;
}

}  // namespace

void drawBuiltinFontImage(uint8_t* rgba) {
  for (int i = 0; i < builtinFontWidth * builtinFontHeight * 4; ++i) rgba[i] = 0;
  for (int c = firstGlyph; c < 128; ++c) {
    const uint32_t mask = glyphMasks[c - firstGlyph];
    const int cellX = (c % 16) * cellSide;
    const int cellY = (c / 16) * cellSide;
    // The glyph's top-left pixel sits at cell pixel (1, 1); column 7 stays empty.
    for (int py = 0; py < cellSide; ++py) {
      for (int px = 0; px < cellSide - 1; ++px) {
        const int gx = px - 1;
        const int gy = py - 1;
        uint8_t* p = rgba + ((cellY + py) * builtinFontWidth + cellX + px) * 4;
        if (isSet(mask, gx, gy)) {
          put(p, 255, 255);
        } else if (isSet(mask, gx + 1, gy) || isSet(mask, gx - 1, gy) || isSet(mask, gx, gy - 1) ||
                   isSet(mask, gx, gy + 1)) {
          put(p, 8, 255);  // the outline
        }
      }
    }
  }
}

void buildBuiltinFont(OpenGLRainbows& r, int font) {
  if (!isFontNumber(font)) return;
  FontTables& fonts = r.fonts;
  fonts.fontScale[font] = 4.0f;

  std::vector<uint8_t> pixels(size_t(builtinFontWidth) * builtinFontHeight * 4);
  drawBuiltinFontImage(pixels.data());
  const int slot = fontSlot(font);
  freeSlot(r, slot);
  SpriteSlot& s = r.spriteSlots[slot];
  const ImageView image{pixels.data(), builtinFontWidth, builtinFontHeight};
  if (createTexture(r, image, 0, 0, 0, 0, s, nullptr, false, true)) {
    s.textureWidth = s.imageWidth = builtinFontWidth;
    s.textureHeight = s.imageHeight = builtinFontHeight;
    s.uExtent = s.vExtent = 1.0f;
  }

  // Monospaced: every code advances one 8-pixel cell.
  const int cellWidth = builtinFontWidth / 16;
  for (int c = 0; c < glyphCount; ++c) {
    GlyphInfo& g = fonts.glyphs[font][c];
    const int left = (c % 16) * builtinFontWidth / 16;
    g.inkLeft = 0;
    g.advance = static_cast<uint8_t>(cellWidth);
    g.s0 = static_cast<float>(left) / builtinFontWidth;
    g.s1 = static_cast<float>(cellWidth + left) / builtinFontWidth;
  }
}

}  // namespace mvn
