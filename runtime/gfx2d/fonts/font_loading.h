// Loading font images into the 32 font numbers.
#pragma once

#include "morvane/fonts.h"

namespace mvn {

class OpenGLRainbows;

// Loads a resolved BMP or PNG file (keyed with fontColourKey, no fill pass)
// as font `font`: its image into the font's slot, its glyphs measured, scale
// 1. False when the file cannot be decoded or uploaded: the slot is then
// empty and the font has no glyphs. A number outside 0..31 does nothing.
bool loadFontImage(OpenGLRainbows& renderer, int font, const char* name);



// The names the start-up tries, in this order, for the default font; each may
// be a file relative to the executable's directory or a member of the archive
// appended to the executable.
extern const char* const defaultFontNames[4];

// The start-up's font search: the first default name that resolves is loaded
// into font 0 (a font that fails to decode leaves the built-in font there);
// then font 0 is selected at scale 1.
void loadDefaultFont();

}  // namespace mvn
