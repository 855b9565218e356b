/// @file
/// Where drawing lands: the viewport, the screen's orientation, a virtual
/// resolution, and what every frame starts on (a cleared screen or a
/// background image).
#pragma once

#include "morvane/text.h"

namespace mvn {

/// @name The view
/// @{

/// Makes a rectangle of the screen the drawing area: drawing coordinates
/// then start at its top-left corner and drawing outside it is cut off.
/// showScreen() goes back to the whole screen.
/// @param x left edge @param y top edge (program coordinates)
/// @param width width; 0 or less: the whole screen @param height height
void viewport(int x, int y, int width, int height);
/// Moves what is drawn next by (-x, -y): a camera over a world larger than
/// the screen, drawn in world coordinates. It applies inside every view and
/// viewport until the frame ends (showScreen() goes back to 0, 0). Reading
/// pixels and the mouse stay in screen coordinates: add the offset to a
/// mouse position to find the world's.
/// @param x the world's column at the view's left edge
/// @param y the world's row at the view's top edge
void setCameraOffset(int x, int y);
/// The current drawing area, in program coordinates.
/// @param[out] x left edge @param[out] y top edge
/// @param[out] width width @param[out] height height
void getViewport(int& x, int& y, int& width, int& height);
/// The current drawing area, as numbers.
/// @param[out] x left edge @param[out] y top edge
/// @param[out] width width @param[out] height height
void getViewport(double& x, double& y, double& width, double& height);
/// The program's screen size: the drawing surface, or the virtual size
/// while a virtual resolution is set, turned with the orientation.
/// @param[out] width width in pixels @param[out] height height in pixels
void getScreenSize(int& width, int& height);
/// The program's screen size, as numbers.
/// @param[out] width width in pixels @param[out] height height in pixels
void getScreenSize(double& width, double& height);
/// The desktop's size, read when the window was made.
/// @param[out] width width in pixels @param[out] height height in pixels
void getDesktopSize(int& width, int& height);
/// Turns the whole screen in quarter turns, for displays held sideways;
/// kept by showScreen().
/// @param orientation 0 upright, 1 a quarter turn, 2 upside down, 3 three
///        quarters; held to 0..3
void setOrientation(int orientation);
/// @return the orientation, 0 to 3
int getOrientation();
/// Draws a screen of a fixed size scaled into the window: the scale is the
/// largest of 1, 1.5, 2, 3, 4, 8 (or a whole number from 10) at which the
/// virtual screen fits the window, and it is centred, with borders. Drawing
/// coordinates, the mouse and getScreenSize() then use the virtual size.
/// Kept by showScreen().
/// @param width virtual width in pixels; below 1 (or 0, 0) switches it off
/// @param height virtual height in pixels
void setVirtualResolution(double width, double height);
/// @}

/// @name What each frame starts on
/// @{

/// Clears the screen to a colour at the start of every frame (and drops a
/// background image).
/// @param colour packed colour (red + 256 x green + 65536 x blue); -1: the
///        frames are not cleared at all, each starts on what was drawn last
void clearScreen(int colour);
/// Takes a copy of the screen drawn so far as the background every frame
/// starts on (it takes the highest free sprite slot).
void useScreenAsBackground();
/// Loads an image file (BMP, PNG or JPEG, no transparent colour) as the
/// background every frame starts on, at the top-left corner.
/// @param file the file's name, on disk or in the archive
/// @note Sets ::kErrorNoSuchFile, and clears to black instead, when the file
///       cannot be found or decoded.
void loadBackground(TextRef file);
/// @}

}  // namespace mvn
