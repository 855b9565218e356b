#include "runtime/gfx2d/fonts/font_text.h"

#include <GL/gl.h>

#include <cstring>

#include "runtime/core/runtime_objects.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/gfx2d/drawing/draw_batch.h"
#include "runtime/gfx2d/drawing/drawing.h"
#include "runtime/gfx2d/fonts/font_layout.h"
#include "runtime/gfx2d/font_tables.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/drawing/texture_binding.h"

namespace mvn {

namespace {

// The renderer and current font, or null when there is nothing to print with.
OpenGLRainbows* fontRenderer(int& font) {
  font = currentFontIndex;
  OpenGLRainbows* r = runtimeObjects.renderer;
  return (r && isFontNumber(font)) ? r : nullptr;
}

// The text's one draw: the strip from client arrays, position 3 floats and
// texture coordinates 2 floats of each 20-byte vertex.
void drawTextStrip(const TextVertexBuffer& buffer) {
  const TextVertex* v = buffer.vertices.get();
  glVertexPointer(3, GL_FLOAT, sizeof(TextVertex), &v->x);
  glEnableClientState(GL_VERTEX_ARRAY);
  glTexCoordPointer(2, GL_FLOAT, sizeof(TextVertex), &v->s);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glDrawArrays(GL_TRIANGLE_STRIP, 0, buffer.count);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
}

}  // namespace

void print(TextRef textRef, double x, double y, int proportional) {
  const char* text = textRef;
  int font;
  OpenGLRainbows* r = fontRenderer(font);
  if (!r || !text || !*text) return;
  TextVertexBuffer& buffer = r->fonts.text;
  if (!reserveTextVertices(buffer, std::strlen(text))) return;

  // The drawing state of the 2D commands: the font's texture with the
  // current filter (wrap repeated, as binding a slot leaves it), white at the
  // global alpha, blending as the alpha mode set it.
  const int slot = fontSlot(font);
  bindSlotForDrawing(*r, slot);
  applyWrap(*r, false);
  restoreColour(*r);

  FontFace face = fontFace(r->spriteSlots[slot], r->fonts, font);
  // Magnified or shrunk on screen and smoothed, by the font's scale or the
  // view's, a glyph's edge samples would reach into the next cell of the
  // font image; text shown one to one meets texel centres exactly.
  face.samplesInsideCells = r->smoothing == 1 && face.scale * r->viewScale != 1.0f;
  if (layoutText(face, text, x, y, proportional != 0, buffer) == 0) return;

  // The text's own GL draw: whatever drawing is still held back reaches GL
  // first, so that the text lands above it.
  flushDrawBatch();
  drawTextStrip(buffer);
}

int textWidth(TextRef textRef, int proportional) {
  const char* text = textRef;
  int font;
  const OpenGLRainbows* r = fontRenderer(font);
  if (!r) return 0;
  const FontFace face = fontFace(r->spriteSlots[fontSlot(font)], r->fonts, font);
  return textWidthOf(face, text, proportional != 0);
}

}  // namespace mvn
