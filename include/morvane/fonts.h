/// @file
/// Bitmap fonts and text output.
///
/// A font is an image of 16 columns of equal cells: 8 rows (128 characters)
/// when the image is at least as wide as it is high, else 16 rows (256
/// characters). The character of code c is in row c / 16, column c % 16
/// (code = row x 16 + column), so a 128 x 64 image holds 8 x 8 cells of
/// codes 0 to 127. Fonts are numbered 0 to 31; font f's image is sprite slot
/// 65504 + f. In proportional text a loaded font's characters each advance by
/// the width of their ink plus one column, and a space is as wide as the
/// letter j. The built-in font is monospaced: every character advances by its
/// whole 8-pixel cell, in proportional text too. At start-up
/// font 0 is the default font file ("smalfont.png" or "smalfont.bmp" in
/// Media/ or beside the executable, or in its archive) or else the built-in
/// 8 x 8 font, selected at scale 1.
#pragma once

#include "morvane/text.h"

namespace mvn {

/// Loads a font image (BMP or PNG; the transparent colour applies) as a font
/// and makes it the current font at scale 1.
/// @param file the file's name, on disk or in the archive; empty empties the
///        font without an error
/// @param font the font number, 0 to 31
/// @note Sets ::kErrorNoSuchFile when the file cannot be found or decoded
///       (the built-in font takes its place), ::kErrorOutOfRange for a number
///       outside 0..31 (nothing changes).
void loadFont(TextRef file, int font);
/// Chooses the font text is printed in, and its scale.
/// @param font the font number, 0 to 31
/// @param scale size factor: 1 the image's size, 2 double; cell height and
///        advances are multiplied by it
/// @note Sets ::kErrorOutOfRange for a number outside 0..31 (nothing changes).
void setFont(int font, double scale);
/// @return the current font number, 0 to 31
int getFont();
/// The cell size of the current font times its scale.
/// @param[out] width cell width, 0 for a font without an image
/// @param[out] height cell height, 0 likewise
void getFontSize(double& width, double& height);
/// The cell size of the current font times its scale, truncated.
/// @param[out] width cell width @param[out] height cell height
void getFontSize(int& width, int& height);
/// @return the highest font number, 31 down to 0, holding no image; -1 when
///         every number is in use
int freeFontNumber();
/// Prints text in the current font at its scale, with the colour, alpha mode
/// and smoothing of the drawing commands. Scaled text shows only its own
/// characters' cells, smoothed or not.
/// @param text the text; in a 128-character font a byte counts modulo 128,
///        and code 0 ends the text
/// @param x left edge (rounded up to a whole pixel)
/// @param y top edge (rounded up)
/// @param proportional non-zero: each character advances by its own width
///        (the built-in font's by the cell width still); 0: by the cell width
void print(TextRef text, double x, double y, int proportional);
/// The width text takes in the current font at its scale, exactly where
/// print() ends it: right-align with print(text, right - textWidth(text, p), y, p).
/// @param text the text @param proportional as print()
/// @return the width in pixels, truncated
int textWidth(TextRef text, int proportional);

}  // namespace mvn
