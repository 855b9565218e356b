// Printed text on the real context, checked pixel by pixel: where each
// character lands, which texels it shows, and that text agrees with the
// drawing commands in every view and drawing state.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "runtime/gfx2d/fonts/font_builtin.h"
#include "runtime/gfx2d/fonts/font_layout.h"
#include "runtime/gfx2d/fonts/font_loading.h"
#include "runtime/gfx2d/fonts/font_selection.h"
#include "runtime/gfx2d/fonts/font_text.h"
#include "tests/fonts/font_fixture.h"

namespace mvn {
namespace {

using testing::FontPicture;
using testing::GlFonts;
using testing::kBlack;
using testing::kWhite;
using testing::writeFontFile;

constexpr int kFont = 9;

// 128 x 64, 8 x 8 cells; every ink pixel has a colour of its own.
FontPicture printPicture() {
  FontPicture p(128, 64);
  auto colour = [](int x, int y) { return uint32_t(40 + 25 * x) | uint32_t(40 + 25 * y) << 8 | 0xC00000u; };
  for (int y = 0; y < 8; ++y) {
    for (int x = 2; x <= 5; ++x) p.ink('A', x, y, colour(x, y));
    for (int x = 3; x <= 7; ++x) p.ink('B', x, y, colour(x, y));
    for (int x = 1; x <= 2; ++x) p.ink('j', x, y, colour(x, y));
  }
  return p;
}

// The texel columns of a cell one printed character shows.
struct Piece {
  int code;
  int firstColumn;
  int columns;
};

struct PrintCase {
  const char* text;
  double x, y;
  int proportional;
  int scale;
  int left, top;  // where the text's top-left corner must land
  std::vector<Piece> pieces;
};

class GlPrint : public GlFonts {
 protected:
  void SetUp() override {
    GlFonts::SetUp();
    picture = printPicture();
    loadFont(writeFontFile(picture, "font_print.png").c_str(), kFont);
    ASSERT_EQ(errorCode, 0);
  }

  // The expected screen of a case: black but for the pieces, each texel a
  // scale x scale block.
  std::vector<uint32_t> expected(const PrintCase& c, int width, int height) const {
    std::vector<uint32_t> screen(size_t(width) * height, kBlack);
    int x = c.left;
    for (const Piece& p : c.pieces) {
      const int cellLeft = (p.code % 16) * 8, cellTop = (p.code / 16) * 8;
      for (int i = 0; i < p.columns * c.scale; ++i)
        for (int j = 0; j < 8 * c.scale; ++j)
          screen[size_t(c.top + j) * width + x + i] =
              picture.shown(cellLeft + p.firstColumn + i / c.scale, cellTop + j / c.scale);
      x += p.columns * c.scale;
    }
    return screen;
  }

  FontPicture picture{1, 1};
};

TEST_F(GlPrint, CharactersLandOnTheirPixels) {
  const PrintCase cases[] = {
      {"AB", 10.2, 20.0, 0, 1, 11, 20, {{'A', 0, 8}, {'B', 0, 8}}},  // start rounded up
      {"AB", 10, 20, 1, 1, 10, 20, {{'A', 2, 5}, {'B', 3, 5}}},      // measured widths
      {"A", 10, 20.5, 0, 2, 10, 21, {{'A', 0, 8}}},
      {"AB", 10, 20, 1, 2, 10, 20, {{'A', 2, 5}, {'B', 3, 5}}},
      {" j", 10, 20, 1, 1, 10, 20, {{' ', 0, 3}, {'j', 1, 3}}},     // space as wide as j
      {"\xC1", 10, 20, 0, 1, 10, 20, {{'A', 0, 8}}},               // 0xC1 is 'A' in 128 characters
      {"A\x80" "B", 10, 20, 0, 1, 10, 20, {{'A', 0, 8}}},          // 0x80 is code 0: the end
  };
  for (const PrintCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "'" << c.text << "' proportional " << c.proportional
                                      << " scale " << c.scale);
    clearScreen(0);
    setFont(kFont, c.scale);
    print(c.text, c.x, c.y, c.proportional);
    const auto got = read(0, 0, 60, 50);
    const auto want = expected(c, 60, 50);
    int mismatches = 0;
    for (int y = 0; y < 50; ++y)
      for (int x = 0; x < 60; ++x)
        if (got.at(x, y) != want[size_t(y) * 60 + x] && ++mismatches <= 5)
          ADD_FAILURE() << "pixel (" << x << ", " << y << "): " << std::hex << got.at(x, y)
                        << " instead of " << want[size_t(y) * 60 + x];
    EXPECT_EQ(mismatches, 0);
  }
}

TEST_F(GlPrint, TextAgreesWithTheDrawingCommandsInEveryViewAndState) {
  setAnimFrameSize(fontSlot(kFont), 8, 8);
  setFont(kFont, 1);
  for (int orientation = 0; orientation < 4; ++orientation) {
    for (bool virtualScreen : {false, true}) {
      for (int smoothing : {0, 1}) {
        for (double alphaMode : {-1.0, -0.5, 0.75}) {
          SCOPED_TRACE(::testing::Message() << "orientation " << orientation << " virtual "
                                            << virtualScreen << " smoothing " << smoothing
                                            << " alpha " << alphaMode);
          setOrientation(orientation);
          setVirtualResolution(virtualScreen ? 200 : 0, virtualScreen ? 120 : 0);
          setSmoothing(smoothing);
          auto drawn = [&](const std::function<void()>& draw) {
            clearScreen(0);
            setAlphaMode(-1);
            drawRect(20, 30, 40, 4, 0x406080);  // something to blend over
            setAlphaMode(alphaMode);
            draw();
            return read(0, 0, 800, 480).colours;
          };
          const auto text = drawn([] {
            print("AB", 30, 28, 0);
          });
          const auto frames = drawn([] {
            drawAnim(fontSlot(kFont), 'A', 30, 28);
            drawAnim(fontSlot(kFont), 'B', 38, 28);
          });
          // Magnified by the view and smoothed, frames show texels of the
          // neighbouring cells at their edges; text keeps to its own cells
          // (ScaledTextShowsNothingOfTheNeighbouringCells).
          if (!virtualScreen || smoothing == 0) {
            EXPECT_TRUE(text == frames);
          }
          int lit = 0;
          for (uint32_t p : text) lit += p != kBlack;
          EXPECT_GT(lit, 9 * 8);  // the text is there
        }
      }
    }
  }
  setVirtualResolution(0, 0);
  setOrientation(0);
}

// Text printed over a frame of the font's own image, drawn just before in the
// same state, lands above it.
TEST_F(GlPrint, TextLandsAboveTheDrawingBeforeIt) {
  setAnimFrameSize(fontSlot(kFont), 8, 8);
  setFont(kFont, 1);
  setSmoothing(0);
  auto drawn = [&](const std::function<void()>& draw) {
    clearScreen(0);
    draw();
    return read(0, 0, 80, 60).colours;
  };
  // The whole image, placed so that the cell of 'B' lies under the text.
  const int left = 30 - 8 * ('B' % 16), top = 28 - 8 * ('B' / 16);
  const auto text = drawn([&] {
    drawSprite(fontSlot(kFont), left, top);
    print("A", 30, 28, 0);
  });
  const auto frames = drawn([&] {
    drawSprite(fontSlot(kFont), left, top);
    drawAnim(fontSlot(kFont), 'A', 30, 28);
  });
  EXPECT_TRUE(text == frames);
}

TEST_F(GlFonts, BuiltinFontAtScaleOnePrintsEightByEightCharacters) {
  buildBuiltinFont(*r, 0);
  setFont(0, 1);
  int w = 0, h = 0;
  getFontSize(w, h);
  EXPECT_EQ(w, 8);
  EXPECT_EQ(h, 8);
  EXPECT_EQ(textWidth("Hello", 0), 40);
  EXPECT_EQ(textWidth("Hello", 1), 40);

  print("AA", 10, 20, 1);
  const char* const art[8] = {"..ooo...", ".o###o..", ".o#o#o..", ".o###o..",
                              ".o#o#o..", ".o#o#o..", "..o.o...", "........"};
  for (int y = 0; y < 10; ++y) {
    std::string row;
    for (int x = 0; x < 16; ++x) {
      const uint32_t p = colourAt(10 + x, 20 + y);
      row += p == kWhite ? '#' : p == 0x080808 ? 'o' : p == kBlack ? '.' : '?';
    }
    EXPECT_EQ(row, y < 8 ? std::string(art[y]) + art[y] : std::string(16, '.')) << "row " << y;
  }
}

// Text scaled and smoothed shows its glyphs' own cells and nothing of their
// neighbours: in a font whose every cell is a solid block of a colour of its
// own, each printed character is its cell's colour throughout, exactly as the
// cell drawn alone as an animation frame at the same zoom (drawAnim unscaled,
// rotoZoomAnim scaled).
TEST_F(GlFonts, ScaledTextShowsNothingOfTheNeighbouringCells) {
  constexpr int kSolid = 11;
  FontPicture blocks(128, 64);
  auto cellColour = [](int code) { return uint32_t(0x10 + code) | uint32_t(0xF0 - code) << 8 | 0x400000u; };
  for (int code = 0; code < 128; ++code)
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) blocks.ink(code, x, y, cellColour(code));
  loadFont(writeFontFile(blocks, "font_blocks.png").c_str(), kSolid);
  ASSERT_EQ(errorCode, 0);
  setAnimFrameSize(fontSlot(kSolid), 8, 8);
  setSmoothing(1);
  const char* const text = "AQ1B";  // neighbours of each other above, below and beside
  constexpr int kLeft = 40, kTop = 40;
  for (double scale : {1.0, 1.5, 2.0, 3.0}) {
    for (int proportional : {0, 1}) {
      SCOPED_TRACE(::testing::Message() << "scale " << scale << ", proportional " << proportional);
      setFont(kSolid, scale);
      const int side = int(8 * scale);
      clearScreen(0);
      print(text, kLeft, kTop, proportional);
      const auto printed = read(0, 0, 200, 100).colours;
      clearScreen(0);
      for (int i = 0; text[i]; ++i) {
        const int left = kLeft + i * side;
        if (scale == 1.0)
          drawAnim(fontSlot(kSolid), text[i], left, kTop);
        else  // a zoomed frame is centred on the frame's own centre
          rotoZoomAnim(fontSlot(kSolid), text[i], left - 4 + side / 2, kTop - 4 + side / 2, 0, scale);
      }
      const auto alone = read(0, 0, 200, 100).colours;
      EXPECT_TRUE(printed == alone);
      int strays = 0;
      for (int i = 0; text[i]; ++i)
        for (int y = 0; y < side; ++y)
          for (int x = 0; x < side; ++x) {
            const uint32_t got = printed[size_t(kTop + y) * 200 + kLeft + i * side + x];
            if (got != cellColour(text[i]) && ++strays <= 3)
              ADD_FAILURE() << "character " << i << " at (" << x << ", " << y << "): " << std::hex << got;
          }
      EXPECT_EQ(strays, 0);
    }
  }
  // Magnified by the view instead, at font scale 1 or 2: every pixel is the
  // background or the colour of a printed cell.
  const uint32_t shown[] = {kBlack, cellColour('A'), cellColour('Q'), cellColour('1'), cellColour('B')};
  for (int viewScale : {3, 4, 6}) {  // in halves: a virtual screen of 533 x 320 is shown at 1.5
    for (double fontScale : {1.0, 2.0}) {
      SCOPED_TRACE(::testing::Message() << "view scale " << viewScale * 0.5 << ", font scale " << fontScale);
      setVirtualResolution(1600.0 / viewScale, 960.0 / viewScale);
      setFont(kSolid, fontScale);
      clearScreen(0);
      print(text, 10.5, 11, 0);
      print(text, 20, 40, 1);
      const auto colours = read(0, 0, 400, 240).colours;
      setVirtualResolution(0, 0);
      int strays = 0, lit = 0;
      for (uint32_t got : colours) {
        lit += got != kBlack;
        if (std::find(std::begin(shown), std::end(shown), got) == std::end(shown) && ++strays <= 3)
          ADD_FAILURE() << std::hex << got << " is not a printed cell's colour";
      }
      EXPECT_EQ(strays, 0);
      EXPECT_GT(lit, 2 * 4 * 64 * fontScale * fontScale);
    }
  }
}

// textWidth measures what print lays out: a right-aligned text ends exactly
// where it was measured to end, at every scale (0.7 x 8 summed in doubles is
// 27.99..., laid out in floats 28.0000...).
TEST_F(GlPrint, TextWidthIsWherePrintEnds) {
  buildBuiltinFont(*r, 0);
  const char* const texts[] = {"A", "Hello", "AjB AjB", "A B j A B j A B j A"};
  for (int font : {0, kFont}) {
    for (float scale : {0.7f, 0.3f, 1.1f, 1.5f, 2.3f, 3.0f}) {
      setFont(font, scale);
      const FontFace face = fontFace(r->spriteSlots[fontSlot(font)], r->fonts, font);
      for (const char* text : texts) {
        for (int proportional : {0, 1}) {
          TextVertexBuffer buffer;
          ASSERT_TRUE(reserveTextVertices(buffer, std::strlen(text)));
          const int count = layoutText(face, text, 0, 0, proportional != 0, buffer);
          ASSERT_GT(count, 0);
          EXPECT_EQ(textWidth(text, proportional), int(buffer.vertices[count - 1].x))
              << "font " << font << ", scale " << scale << ", \"" << text << "\", proportional "
              << proportional;
        }
      }
    }
  }
}

// Text commands take a C text, a text value or a std::string alike, and
// print and measure the same characters from each.
TEST_F(GlPrint, TextFromAnyStringPrintsTheSame) {
  setFont(kFont, 2);
  const std::string standard = "AjB";
  const RtString value("AjB");
  for (int proportional : {0, 1}) {
    const int width = textWidth("AjB", proportional);
    EXPECT_GT(width, 0);
    EXPECT_EQ(textWidth(standard, proportional), width);
    EXPECT_EQ(textWidth(value, proportional), width);
    EXPECT_EQ(textWidth(RtString("AjB") + "", proportional), width);  // a temporary lives through the call
  }
  auto printed = [&](auto text) {
    clearScreen(0);
    print(text, 10, 10, 1);
    return read(0, 0, 80, 40).colours;
  };
  const auto fromC = printed("AjB");
  EXPECT_TRUE(printed(standard) == fromC);
  EXPECT_TRUE(printed(value) == fromC);
  EXPECT_EQ(textWidth(nullptr, 0), 0);  // a missing text is still no text
}

}  // namespace
}  // namespace mvn
