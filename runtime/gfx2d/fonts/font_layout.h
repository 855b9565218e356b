// Where the characters of a text go: the vertices of printed text and the
// width a text takes, computed from a font's image size and glyph table
// without touching GL.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/gfx2d/font_tables.h"

namespace mvn {

// What text layout needs of a font.
struct FontFace {
  int imageWidth = 0;   // of the font's image; 0 for a font without one
  int imageHeight = 0;
  float uExtent = 1;    // texture coordinates of the image's right and top edges
  float vExtent = 1;
  float scale = 1;
  const GlyphInfo* glyphs = nullptr;  // glyphCount records
  float texelWidth = 0;   // one texel in texture coordinates, across and up
  float texelHeight = 0;
  // Samples kept half a texel inside each glyph's edges: a text scaled and
  // filtered linearly then never shows texels of the neighbouring cells.
  bool samplesInsideCells = false;
};

// The face of font number `font` (0..31) as its slot and tables hold it.
FontFace fontFace(const SpriteSlot& slot, const FontTables& fonts, int font);

// Makes room for 4 vertices per byte of a text of `length` bytes: 512
// vertices, or 128 x (needed div 128 + 1) when more are needed; the buffer
// only grows. False (buffer unchanged) when the room cannot be had.
bool reserveTextVertices(TextVertexBuffer& buffer, size_t length);

// Fills the buffer (made large enough by reserveTextVertices) with one
// triangle strip of 4 vertices per character, top-left corner of the text at
// (ceil(x), ceil(y)). A character's code is its byte modulo the font's
// character count; code 0 ends the text. Proportional text advances by each
// glyph's advance, fixed text by the cell width, both times the scale. With
// samplesInsideCells, each glyph's texture coordinates lie half a texel inside
// its edges, as an animation frame drawn turned and zoomed takes them.
// Returns the vertex count (also stored in buffer.count).
int layoutText(const FontFace& face, const char* text, double x, double y, bool proportional,
               TextVertexBuffer& buffer);

// Width in pixels of a text: the advances of its bytes (each byte's own glyph,
// 0..255) or the byte count times the cell width, each times the scale and
// summed in 32-bit floats as layoutText advances, truncated.
int textWidthOf(const FontFace& face, const char* text, bool proportional);

}  // namespace mvn
