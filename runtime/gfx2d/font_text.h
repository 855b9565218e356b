// Text output in the current font.
#pragma once

namespace mvn {

// Draws the text in the current font at its scale, top-left corner at
// (ceil(x), ceil(y)), as one triangle strip with the colour, alpha mode and
// filter of the drawing commands. proportional != 0: each character advances
// by its measured width, else by the cell width. In a 128-character font a
// byte counts modulo 128; code 0 ends the text.
void print(const char* text, double x, double y, int proportional);

// Width in pixels the text takes in the current font, scaled and truncated:
// every byte counts with its own glyph.
int textWidth(const char* text, int proportional);

}  // namespace mvn
