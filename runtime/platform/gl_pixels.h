// Pixel transfers between the runtime and the current OpenGL context: texture
// uploads, reading a texture back and reading the frame being drawn. Not every
// OpenGL binding offers them in the same form (sized internal formats, texture
// read-back, read buffers, BGRA order), so the runtime reaches them here.
// Formats and alignments are OpenGL's own values.
#pragma once

namespace mvn::platform {

// Uploads a level of the texture bound to GL_TEXTURE_2D from RGBA bytes, 8 bits
// per channel (stored at 8 bits per channel wherever the binding lets it say so).
void uploadTextureRgba(int level, int width, int height, const void* pixels);

// Replaces a rectangle of level 0 of the texture bound to GL_TEXTURE_2D with
// RGBA bytes, rows packed, the bottom row first.
void uploadTextureRegionRgba(int x, int y, int width, int height, const void* pixels);

// The size of level 0 of the texture bound to GL_TEXTURE_2D; 0 by 0 when unknown.
void boundTextureSize(int& width, int& height);

// Reads level 0 of the texture bound to GL_TEXTURE_2D, first row first, as
// `format` (GL_RGBA or GL_ALPHA) unsigned bytes with rows padded to `alignment`.
// destination holds boundTextureSize's rows.
void readBoundTexture(unsigned format, int alignment, void* destination);

// Reads a rectangle of the frame being drawn (the back buffer), bottom row
// first, as `format` (GL_RGBA or GL_BGRA_EXT) unsigned bytes with rows padded
// to `alignment`.
void readFramePixels(int x, int y, int width, int height, unsigned format, int alignment,
                     void* destination);

}  // namespace mvn::platform
