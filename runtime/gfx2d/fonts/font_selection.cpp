#include "runtime/gfx2d/fonts/font_selection.h"

#include "runtime/core/runtime_objects.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/gfx2d/fonts/font_metrics.h"
#include "runtime/gfx2d/font_tables.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/values/errors.h"
#include "runtime/values/error_trace.h"

namespace mvn {

namespace {

int truncatedInt(double value) {
  if (!(value == value)) return 0;
  if (value >= 2147483647.0) return 2147483647;
  if (value <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(value);
}

}  // namespace

void setFont(int font, double scale) {
  if (!isFontNumber(font)) {
    failWith(7, "font number outside 0..31", "setFont", font, scale);
    return;
  }
  currentFontIndex = font;
  if (OpenGLRainbows* r = runtimeObjects.renderer) r->fonts.fontScale[font] = static_cast<float>(scale);
}

int getFont() { return currentFontIndex; }

void getFontSize(double& width, double& height) {
  width = height = 0;
  const OpenGLRainbows* r = runtimeObjects.renderer;
  const int font = currentFontIndex;
  if (!r || !isFontNumber(font)) return;
  const SpriteSlot& s = r->spriteSlots[fontSlot(font)];
  const FontGrid grid = fontGrid(s.imageWidth > 0 ? s.imageWidth : 0, s.imageHeight > 0 ? s.imageHeight : 0);
  const float scale = r->fonts.fontScale[font];
  width = static_cast<double>(static_cast<float>(grid.cellWidth) * scale);
  height = static_cast<double>(static_cast<float>(grid.cellHeight) * scale);
}

void getFontSize(int& width, int& height) {
  double w = 0, h = 0;
  getFontSize(w, h);
  width = truncatedInt(w);
  height = truncatedInt(h);
}

int freeFontNumber() {
  const OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return -1;
  for (int font = fontCount - 1; font >= 0; --font) {
    if ((r->spriteSlots[fontSlot(font)].imageWidth >> 4) == 0) return font;
  }
  return -1;
}

}  // namespace mvn
