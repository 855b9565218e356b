// The font commands' answers to bad numbers, missing and odd font files, and
// fonts without an image.
#include <cstring>
#include <fstream>
#include <string>

#include "runtime/gfx2d/fonts/font_builtin.h"
#include "runtime/gfx2d/fonts/font_loading.h"
#include "runtime/gfx2d/fonts/font_selection.h"
#include "runtime/gfx2d/fonts/font_text.h"
#include "runtime/gfx2d/sprites/sprite_loading.h"
#include "tests/fonts/font_fixture.h"

namespace mvn {
namespace {

using testing::FontPicture;
using testing::GlFonts;
using testing::kBlack;
using testing::rgba;
using testing::writeFontFile;

std::string plainFont() {
  FontPicture p(128, 64);
  p.inkColumns('A', 1, 4);
  return writeFontFile(p, "font_plain.png");
}

// Everything a font command may change, to see that nothing did.
struct FontState {
  explicit FontState(const OpenGLRainbows& r) {
    current = currentFontIndex;
    std::memcpy(scales, r.fonts.fontScale, sizeof scales);
    std::memcpy(glyphs, r.fonts.glyphs, sizeof glyphs);
    for (int f = 0; f <= 32; ++f) {
      const SpriteSlot& s = r.spriteSlots[firstFontSlot + f];
      textures[f] = s.texture;
      widths[f] = s.imageWidth;
    }
  }
  bool operator==(const FontState& o) const {
    return current == o.current && std::memcmp(scales, o.scales, sizeof scales) == 0 &&
           std::memcmp(glyphs, o.glyphs, sizeof glyphs) == 0 &&
           std::memcmp(textures, o.textures, sizeof textures) == 0 &&
           std::memcmp(widths, o.widths, sizeof widths) == 0;
  }
  int current;
  float scales[fontCount];
  GlyphInfo glyphs[fontCount][glyphCount];
  uint32_t textures[33];  // the 32 font slots and slot 65536 above them
  int widths[33];
};

// A font whose slot is emptied by a sprite command measures and prints as one
// emptied by loadFont: nothing of the earlier font is left.
TEST_F(GlFonts, FontEmptiedThroughTheSpriteCommandsKeepsNoGlyphs) {
  constexpr int kFont = 6;
  const int slot = firstFontSlot + kFont;
  auto measure = [] {
    int w = -1, h = -1;
    getFontSize(w, h);
    return std::to_string(textWidth("AAj A", 0)) + " " + std::to_string(textWidth("AAj A", 1)) +
           " " + std::to_string(w) + "x" + std::to_string(h);
  };
  loadFont(plainFont().c_str(), kFont);
  loadFont("", kFont);
  setFont(kFont, 1);
  const std::string emptied = measure();
  ASSERT_EQ(emptied, "0 0 0x0");
  const struct {
    const char* what;
    void (*empty)(int slot);
  } ways[] = {
      {"loadSprite with no name", [](int s) { loadSprite("", s); }},
      {"loadSprite of a missing file", [](int s) { loadSprite("no-such-font.png", s); }},
      {"loadBumpTexture of a missing file", [](int s) { loadBumpTexture("no-such-font.png", s); }},
  };
  for (const auto& way : ways) {
    loadFont(plainFont().c_str(), kFont);
    setFont(kFont, 1);
    ASSERT_NE(measure(), emptied) << way.what;
    way.empty(slot);
    EXPECT_EQ(measure(), emptied) << way.what;
    const int32_t pixel = rgba(0xFFFFFF);  // an image again, but not a font's
    ASSERT_EQ(memToSprite(&pixel, 1, slot, 1, 1), 1);
    EXPECT_EQ(textWidth("AAj A", 1), 0) << way.what;
  }
}

TEST_F(GlFonts, FontNumbersOutsideTheTablesSetErrorSevenAndChangeNothing) {
  const std::string file = plainFont();
  loadFont(file.c_str(), 0);
  buildBuiltinFont(*r, 31);
  const int32_t pixel = rgba(0xFFFFFF);
  ASSERT_EQ(memToSprite(&pixel, 1, 65536, 1, 1), 1);  // a program slot above the fonts
  setFont(2, 1.5);
  const FontState before(*r);

  const struct {
    const char* what;
    std::function<void()> command;
  } cases[] = {
      {"loadFont 32", [&] { loadFont(file.c_str(), 32); }},
      {"loadFont -1", [&] { loadFont(file.c_str(), -1); }},
      {"loadFont missing 40", [] { loadFont("no such font.png", 40); }},
      {"loadFont empty 32", [] { loadFont("", 32); }},
      {"loadFont 33", [&] { loadFont(file.c_str(), 33); }},
      {"setFont 32", [] { setFont(32, 2); }},
      {"setFont -1", [] { setFont(-1, 2); }},
  };
  for (const auto& c : cases) {
    errorCode = 0;
    c.command();
    EXPECT_EQ(errorCode, 7) << c.what;
    EXPECT_TRUE(FontState(*r) == before) << c.what;
  }
  EXPECT_EQ(getFont(), 2);
}

TEST_F(GlFonts, UnloadableFontFilesGiveErrorThreeAndTheBuiltinFont) {
  const std::string notAnImage = std::string(MORVANE_BINARY_DIR) + "/tmp/font_text.png";
  std::ofstream(notAnImage) << "not an image at all";
  for (const std::string& name : {std::string("no such font.png"), notAnImage}) {
    loadFont(plainFont().c_str(), 6);
    setFont(1, 1);
    loadFont(name.c_str(), 6);
    EXPECT_EQ(errorCode, 3) << name;
    EXPECT_EQ(getFont(), 6) << name;
    EXPECT_EQ(r->fonts.fontScale[6], 4.0f) << name;
    EXPECT_EQ(r->spriteSlots[fontSlot(6)].imageWidth, 128) << name;
    EXPECT_EQ(r->fonts.glyphs[6]['A'].advance, 8) << name;  // monospaced
    EXPECT_EQ(textWidth("AB", 1), 64) << name;              // 2 x 8 at scale 4
  }
}

TEST_F(GlFonts, FontsWithoutImageOrCellsPrintNothingAndMeasureZero) {
  FontPicture narrow(15, 8);  // cell width 0
  narrow.ink(0, 3, 3);
  const struct {
    const char* what;
    std::string file;
    int height;  // of a cell
  } cases[] = {
      {"empty name", "", 0},
      {"narrower than 16 pixels", writeFontFile(narrow, "font_narrow.png"), 1},
      {"one pixel", writeFontFile(FontPicture(1, 1), "font_pixel.png"), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    loadFont(plainFont().c_str(), 4);
    errorCode = 0;
    loadFont(c.file.c_str(), 4);
    EXPECT_EQ(errorCode, 0);
    setFont(4, 1);
    EXPECT_EQ(textWidth("A\xC1 j\x80", 0), 0);
    EXPECT_EQ(textWidth("A\xC1 j\x80", 1), 0);
    int w = -1, h = -1;
    getFontSize(w, h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, c.height);
    clearScreen(0);
    print("A\xC1 j\xFF", 10, 10, 0);
    print("A\xC1 j\xFF", 10, 30, 1);
    int left, top, right, bottom;
    EXPECT_FALSE(litBox(0, 0, 100, 60, left, top, right, bottom));
  }
  // An empty name leaves the font without image; nothing is selected.
  setFont(3, 1);
  loadFont("", 4);
  EXPECT_EQ(getFont(), 3);
  EXPECT_EQ(r->spriteSlots[fontSlot(4)].imageWidth, 0);
}

TEST_F(GlFonts, FreeFontNumberIsTheHighestWithoutImage) {
  EXPECT_EQ(freeFontNumber(), 31);
  buildBuiltinFont(*r, 31);
  loadFont(plainFont().c_str(), 30);
  EXPECT_EQ(freeFontNumber(), 29);
  loadFont(writeFontFile(FontPicture(15, 8), "font_narrow.png").c_str(), 29);
  EXPECT_EQ(freeFontNumber(), 29);  // an image with no cell width counts as free
  for (int f = 0; f < fontCount; ++f) buildBuiltinFont(*r, f);
  EXPECT_EQ(freeFontNumber(), -1);
}

TEST_F(GlFonts, TextVertexBufferGrowsOnlyWhenALongerTextNeedsIt) {
  buildBuiltinFont(*r, 0);
  setFont(0, 1);
  print("short", 0, 0, 0);
  EXPECT_EQ(r->fonts.text.capacity, 512);
  const std::string longer(200, 'x');  // 800 vertices
  print(longer.c_str(), 0, 0, 0);
  EXPECT_EQ(r->fonts.text.capacity, 896);
  EXPECT_EQ(r->fonts.text.count, 800);
  print("short", 0, 0, 1);
  EXPECT_EQ(r->fonts.text.capacity, 896);
  EXPECT_EQ(r->fonts.text.count, 20);
  print("", 0, 0, 0);
  print(nullptr, 0, 0, 0);
  EXPECT_EQ(textWidth(nullptr, 1), 0);
}

}  // namespace
}  // namespace mvn
