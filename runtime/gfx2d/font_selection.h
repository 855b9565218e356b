// Choosing the font text is drawn in, and what the program may ask of it.
#pragma once

namespace mvn {

// Makes font `font` (0..31) the current font and sets its scale; a number
// outside 0..31 sets error 7 and changes nothing.
void setFont(int font, double scale);

// The current font number.
int getFont();

// Cell width and height of the current font's image, times its scale: as
// numbers, or truncated to integers. 0, 0 without an image.
void getFontSize(double& width, double& height);
void getFontSize(int& width, int& height);

// The highest font number 31..0 whose slot holds no image (an image width
// div 16 of 0); -1 when every number is in use.
int freeFontNumber();

}  // namespace mvn
