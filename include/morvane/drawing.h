/// @file
/// Drawing: rectangles, sprites, animation frames, lines, pixels, polygons,
/// the blending and filtering of what is drawn, and pixel-exact collisions.
///
/// Everything is drawn at once into the frame that showScreen() presents,
/// later drawing over earlier. Positions are pixels of the program's screen,
/// origin at the top left, y downwards; angles are degrees, positive turning
/// counter-clockwise on the screen.
///
/// Colours are packed 24-bit numbers, red + 256 x green + 65536 x blue, so
/// that 0x0000FF is red, 0x00FF00 green and 0xFF0000 blue (0x402010 is a dark
/// blue, not a brown); rgb() packs one. The colour equal to the transparent
/// colour (setTransparency(), 0x8000FF at start) is drawn invisible.
///
/// Sprites are numbered slots 0 to 65536 holding images (see sprites.h);
/// slots 65504 to 65535 hold the fonts' images. An animation is a slot with
/// a frame size (loadAnim(), setAnimFrameSize()): frame 0 is the top-left
/// frame, numbered left to right, then top to bottom. Commands given an
/// empty slot, a frame outside the image's rows, or a slot number outside
/// 0..65536 draw nothing.
#pragma once

namespace mvn {

/// Packs a colour for the drawing commands.
/// @param red 0 to 255 @param green 0 to 255 @param blue 0 to 255
/// @return red + 256 x green + 65536 x blue
constexpr int rgb(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }

/// @name Drawing state
/// Each is reset by showScreen() as its comment says.
/// @{

/// How what is drawn next covers what is there:
/// - 0: opaque, no blending (images' own transparency is ignored);
/// - negative: ordinary alpha blending at strength |value| (held to 1): -1
///   draws at full strength, -0.5 half transparent;
/// - positive: additive blending (colours add up, lighten) at strength
///   value (held to 1): 1 adds fully, 0.25 a quarter.
/// showScreen() goes back to -1.
/// @param value the mode and strength, as above
void setAlphaMode(double value);
/// Filtering of images drawn larger, smaller, turned or between pixels.
/// Kept by showScreen(); on at start.
/// @param flag non-zero: smooth (linear) sampling; 0: nearest texel, blocky
void setSmoothing(int flag);
/// Draws only pixels whose alpha (0 to 1) is above value; showScreen()
/// switches the test off.
/// @param value pixels of this alpha or less are not drawn; 1 or more (or
///        not a number) switches the test off
void setAlphaTest(double value);
/// The tint: what images (sprites, frames, text, polygons) and shapes draw
/// is multiplied by it, channel by channel, so white (the default) leaves
/// them as they are and 0x0000FF keeps only their red. drawRect(),
/// drawLine() and setPixel() draw their colour as given. showScreen() goes
/// back to white.
/// @param colour packed colour (red + 256 x green + 65536 x blue)
void setTint(int colour);
/// @return the tint, 0xFFFFFF unless setTint() chose another this frame
int getTint();
/// @}

/// @name Shapes and pixels
/// @{

/// Fills a rectangle.
/// @param x left edge @param y top edge
/// @param width width in pixels; negative extends to the left of x
/// @param height height in pixels; negative extends upwards from y
/// @param colour packed colour (see rgb())
void drawRect(int x, int y, int width, int height, int colour);
/// Draws a line one pixel wide, both end points lit.
/// @param x1 start x @param y1 start y @param x2 end x @param y2 end y
/// @param colour packed colour
void drawLine(int x1, int y1, int x2, int y2, int colour);
/// Sets one pixel (a 1 by 1 rectangle, so it blends as drawRect does).
/// @param x column @param y row @param colour packed colour
void setPixel(int x, int y, int colour);
/// Reads one pixel of the frame being drawn.
/// @param x column @param y row
/// @return its packed colour (alpha not included); 0 while drawing into an
///         off-screen surface
int getPixel(int x, int y);
/// @}

/// @name Sprites
/// @{

/// Draws a slot's image at its size.
/// @param slot the sprite slot @param x left edge @param y top edge
void drawSprite(int slot, int x, int y);
/// Draws a slot's image stretched to a rectangle.
/// @param slot the sprite slot @param x left edge @param y top edge
/// @param width drawn width; negative mirrors left to right
/// @param height drawn height; negative mirrors top to bottom
void stretchSprite(int slot, int x, int y, int width, int height);
/// Draws a slot's image scaled about its centre: (x, y) is where the top-left
/// corner of the unscaled image would be, and the scaled image keeps that
/// image's centre.
/// @param slot the sprite slot @param x left edge of the unscaled image
/// @param y top edge of the unscaled image
/// @param xZoom horizontal scale, 1 the image's size; negative mirrors
/// @param yZoom vertical scale; negative mirrors
void zoomSprite(int slot, int x, int y, double xZoom, double yZoom);
/// Draws a slot's image turned about its centre: (x, y) is the top-left
/// corner of the unturned image.
/// @param slot the sprite slot @param x left edge of the unturned image
/// @param y top edge of the unturned image
/// @param angle degrees, positive counter-clockwise
void rotoSprite(int slot, int x, int y, double angle);
/// Draws a slot's image turned and scaled about its centre: (x, y) is the
/// top-left corner of the unturned, unscaled image.
/// @param slot the sprite slot @param x left edge of the unscaled image
/// @param y top edge of the unscaled image
/// @param angle degrees, positive counter-clockwise
/// @param zoom scale, 1 the image's size; negative mirrors both ways (a half turn)
void rotoZoomSprite(int slot, int x, int y, double angle, double zoom);
/// @}

/// @name Animation frames
/// @{

/// Draws one frame of an animation at its size.
/// @param slot the animation's slot @param frame frame number from 0
/// @param x left edge @param y top edge
void drawAnim(int slot, int frame, int x, int y);
/// Draws one frame stretched to a rectangle.
/// @param slot the animation's slot @param frame frame number from 0
/// @param x left edge @param y top edge
/// @param width drawn width @param height drawn height
void stretchAnim(int slot, int frame, int x, int y, int width, int height);
/// Draws one frame turned and scaled about its centre: (x, y) is the top-left
/// corner of the unturned, unscaled frame.
/// @param slot the animation's slot @param frame frame number from 0
/// @param x left edge of the unscaled frame @param y top edge of the unscaled frame
/// @param angle degrees, positive counter-clockwise
/// @param zoom scale, 1 the frame's size; negative mirrors both ways (a half turn)
void rotoZoomAnim(int slot, int frame, int x, int y, double angle, double zoom);
/// @}

/// @name Polygons
/// A polygon is built vertex by vertex between startPoly() and endPoly().
/// @{

/// Begins a polygon.
/// @param slot sprite slot the polygon is textured with; -1: untextured
/// @param mode 0: a triangle fan, 1: separate triangles, 2: a triangle strip
void startPoly(int slot, int mode);
/// Adds a vertex.
/// @param x position x @param y position y
/// @param textureX texture position in image pixels from the image's left edge
/// @param textureY texture position in image pixels from the image's top edge
/// @param colour the vertex's packed colour, blended across the polygon
void polyVector(double x, double y, double textureX, double textureY, int colour);
/// Starts a new strip inside a strip polygon (mode 2), joined to the last.
void polyNewStrip();
/// Draws the polygon built since startPoly().
void endPoly();
/// @}

/// @name Shapes
/// Drawn in their colour times the tint (see setTint()), with the alpha mode,
/// in the current view; a shape of no size draws nothing.
/// @{

/// An outlined rectangle one pixel wide, covering the border pixels of
/// drawRect(x, y, width, height, colour) (negative sizes extend left or up).
/// @param x left edge @param y top edge @param width width @param height height
/// @param colour packed colour
void drawRectOutline(int x, int y, int width, int height, int colour);
/// A line of a width: the rectangle around the segment from (x1, y1) to
/// (x2, y2), width / 2 to either side, ends cut square at the end points.
/// @param x1 start x @param y1 start y @param x2 end x @param y2 end y
/// @param width the width in pixels, above 0
/// @param colour packed colour
void drawWideLine(double x1, double y1, double x2, double y2, double width, int colour);
/// A filled circle.
/// @param x centre x @param y centre y @param radius the radius in pixels, above 0
/// @param colour packed colour
void fillCircle(double x, double y, double radius, int colour);
/// A circle's outline, one pixel wide, centred on the radius.
/// @param x centre x @param y centre y @param radius the radius in pixels, above 0
/// @param colour packed colour
void drawCircle(double x, double y, double radius, int colour);
/// A filled ellipse with axes along x and y.
/// @param x centre x @param y centre y @param radiusX half the width @param radiusY half the height
/// @param colour packed colour
void fillEllipse(double x, double y, double radiusX, double radiusY, int colour);
/// An ellipse's outline, one pixel wide, centred on the radii.
/// @param x centre x @param y centre y @param radiusX half the width @param radiusY half the height
/// @param colour packed colour
void drawEllipse(double x, double y, double radiusX, double radiusY, int colour);
/// @}

/// @name Collisions
/// @{

/// Whether two rectangles share a pixel (a rectangle covers x to
/// x + width - 1); one of no size shares none.
/// @param xA first's left edge @param yA its top edge @param widthA its width @param heightA its height
/// @param xB second's left edge @param yB its top edge @param widthB its width @param heightB its height
/// @return 1 when they overlap, else 0
int rectsOverlap(int xA, int yA, int widthA, int heightA, int xB, int yB, int widthB, int heightB);
/// Whether a point lies in a rectangle (x to x + width - 1, y to y + height - 1).
/// @param px the point's x @param py its y
/// @param x left edge @param y top edge @param width width @param height height
/// @return 1 inside, else 0
int pointInRect(int px, int py, int x, int y, int width, int height);

/// Whether two placed images touch: 1 when non-transparent pixels of the
/// two overlap, else 0.
/// @param slotA first sprite slot @param xA its left edge @param yA its top edge
/// @param slotB second sprite slot @param xB its left edge @param yB its top edge
/// @return 1 on a touch, else 0 (also for an empty slot)
int spriteCollision(int slotA, int xA, int yA, int slotB, int xB, int yB);
/// Whether two placed animation frames touch (a slot without a frame size is
/// one frame covering its image).
/// @param slotA first slot @param frameA its frame @param xA left edge @param yA top edge
/// @param slotB second slot @param frameB its frame @param xB left edge @param yB top edge
/// @return 1 when non-transparent pixels overlap, else 0
int animCollision(int slotA, int frameA, int xA, int yA, int slotB, int frameB, int xB, int yB);
/// @}

}  // namespace mvn
