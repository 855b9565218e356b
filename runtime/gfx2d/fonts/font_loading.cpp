#include "runtime/gfx2d/fonts/font_loading.h"

#include <string>

#include "runtime/core/runtime_objects.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/files/shoebox.h"
#include "runtime/gfx2d/images/decode_bmp.h"
#include "runtime/gfx2d/images/decode_png.h"
#include "runtime/gfx2d/images/decoded_image.h"
#include "runtime/gfx2d/fonts/font_builtin.h"
#include "runtime/gfx2d/fonts/font_metrics.h"
#include "runtime/gfx2d/fonts/font_selection.h"
#include "runtime/gfx2d/font_tables.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/sprites/sprite_store.h"
#include "runtime/values/errors.h"
#include "runtime/values/error_trace.h"

namespace mvn {

namespace {

bool decodeFontFile(DecodedImage& image, const char* name, int32_t key) {
  if (!name || !*name) return false;
  return decodeBmp(image, name, key) || decodePng(image, name, key);
}

}  // namespace

bool loadFontImage(OpenGLRainbows& r, int font, const char* name) {
  if (!isFontNumber(font)) return false;
  FontTables& fonts = r.fonts;
  fonts.fontScale[font] = 1.0f;
  const int slot = fontSlot(font);
  DecodedImage image;
  if (!decodeFontFile(image, name, r.fontColourKey)) {
    freeSlot(r, slot);
    clearGlyphs(fonts, font);
    return false;
  }
  if (!uploadImage(r, slot, image, false)) {  // the slot is left empty
    clearGlyphs(fonts, font);
    return false;
  }
  // Measured over the image the slot holds (a side beyond the largest
  // texture is cut there) and the texture it was padded to.
  const SpriteSlot& s = r.spriteSlots[slot];
  measureGlyphs(image.pixels, image.width, s.imageWidth, s.imageHeight, s.textureWidth,
                fonts.glyphs[font]);
  return true;
}

void loadFont(TextRef fileRef, int font) {
  const char* file = fileRef;
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return;
  errorCode = 0;
  if (!isFontNumber(font)) {
    failWith(7, "font number outside 0..31", "loadFont", file, font);
    return;
  }
  if (!file || !*file) {
    loadFontImage(*r, font, "");
    return;
  }
  currentFontIndex = font;
  r->fonts.fontScale[font] = 1.0f;
  std::string name = file;
  if (!resolveFileName(name)) {
    failWith(3, "no such file on disk or in the archive; the built-in font stands in", "loadFont", file, font);
  } else if (!loadFontImage(*r, font, name.c_str())) {
    failWith(3, "not a BMP or PNG image that can be decoded; the built-in font stands in", "loadFont", file, font);
  } else {
    return;
  }
  buildBuiltinFont(*r, font);
}

const char* const defaultFontNames[4] = {"Media/smalfont.png", "Media/smalfont.bmp", "smalfont.png",
                                         "smalfont.bmp"};

void loadDefaultFont() {
  for (const char* candidate : defaultFontNames) {
    std::string name = candidate;
    if (!resolveFileName(name)) continue;
    // The name is handed on as requested, not as delivered: loadFont resolves
    // it again, and that look-up releases a member the first one unpacked
    // into memory, whose in-memory name would then open nothing.
    loadFont(candidate, 0);
    break;
  }
  setFont(0, 1.0);
}

}  // namespace mvn
