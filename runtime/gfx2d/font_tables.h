// What the renderer keeps of its 32 fonts: a scale and a glyph table per font
// number, and the vertex buffer text is drawn from. A font's image lives in
// sprite slot firstFontSlot + f.
#pragma once

#include <cstdint>
#include <memory>

#include "runtime/gfx2d/sprites/sprite_slot.h"

namespace mvn {

constexpr int fontCount = 32;
constexpr int glyphCount = 256;  // one record per 8-bit character code

inline bool isFontNumber(int font) { return font >= 0 && font < fontCount; }
inline int fontSlot(int font) { return firstFontSlot + font; }

// One character of a font, as measured from its ink when the font was loaded.
struct GlyphInfo {
  uint8_t inkLeft = 0;  // first cell column holding ink (0 for an empty cell)
  uint8_t advance = 0;  // horizontal advance in proportional text, pixels
  float s0 = 0;         // texture coordinate of the glyph's left edge
  float s1 = 0;         // and of its right edge
};

// A vertex of printed text: position (z always 0) and texture coordinates.
struct TextVertex {
  float x, y, z, s, t;
};

// The text vertex buffer: it only grows, and stays allocated between prints.
struct TextVertexBuffer {
  std::unique_ptr<TextVertex[]> vertices;
  int count = 0;
  int capacity = 0;
};

struct FontTables {
  float fontScale[fontCount] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                                1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  GlyphInfo glyphs[fontCount][glyphCount];
  TextVertexBuffer text;
};

// A font without an image has no glyphs: nothing of an earlier font may be
// measured or printed through it, however its slot was emptied.
inline void clearGlyphs(FontTables& fonts, int font) {
  for (GlyphInfo& g : fonts.glyphs[font]) g = GlyphInfo{};
}

}  // namespace mvn
