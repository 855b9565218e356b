// The font built into the runtime, so that text can be drawn when no font
// file is found: 96 printable characters of 5 x 6 pixels, white with a dark
// outline, in a 128 x 64 image of 8 x 8 cells.
#pragma once

#include <cstdint>

namespace mvn {

class OpenGLRainbows;

constexpr int builtinFontWidth = 128;
constexpr int builtinFontHeight = 64;

// Draws the built-in font's image (RGBA, rows from the top) into a buffer of
// builtinFontWidth x builtinFontHeight pixels.
void drawBuiltinFontImage(uint8_t* rgba);

// Builds the built-in font into font number `font` (0..31): its image in the
// font's slot, a monospaced glyph table of 8-pixel advances, scale 4.
void buildBuiltinFont(OpenGLRainbows& renderer, int font);

}  // namespace mvn
