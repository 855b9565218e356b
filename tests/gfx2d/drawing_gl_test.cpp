// Drawing commands on a real context, checked pixel by pixel.
#include <cmath>
#include <climits>

#include "runtime/gfx2d/drawing/polygon.h"
#include "tests/gfx2d/gl_fixture.h"

namespace mvn {
namespace {

using testing::GlDrawing;
using testing::kBlack;
using testing::kKey;
using testing::kWhite;
using testing::rgba;

constexpr int kSlot = 10;

// A sprite whose every pixel has its own colour: red = x, green = y.
int32_t gradient(int x, int y) { return rgba(uint32_t(x * 8 + 1) | uint32_t(y * 8 + 1) << 8 | 0x400000); }

TEST_F(GlDrawing, DrawRectFillsItsPixelsAndANegativeWidthMovesTheLeftEdge) {
  drawRect(10, 10, -5, 3, 0x0000FF);
  int left, top, right, bottom;
  ASSERT_TRUE(litBox(0, 0, 40, 40, left, top, right, bottom));
  EXPECT_EQ(left, 6);
  EXPECT_EQ(right, 10);
  EXPECT_EQ(top, 10);
  EXPECT_EQ(bottom, 12);
  EXPECT_EQ(colourAt(8, 11), 0x0000FFu);

  drawRect(100, 100, 4, -4, kWhite);
  ASSERT_TRUE(litBox(90, 90, 20, 20, left, top, right, bottom));
  EXPECT_EQ(left, 100);
  EXPECT_EQ(right, 103);
  EXPECT_EQ(top, 97);
  EXPECT_EQ(bottom, 100);
}

TEST_F(GlDrawing, AlphaModesBlendAsTheyShould) {
  const struct {
    double mode;
    int firstColour, secondColour;
    uint32_t expected;
  } cases[] = {
      {-1, 0x0000C8, kWhite, kWhite},      // plain alpha blending at full opacity
      {-0.75, kBlack, kWhite, 0xBFBFBF},   // 75 % white over black: 191
      {2, 0x000064, 0x006400, 0x006464},   // additive at full strength
      {0.5, kBlack, 0x0000C8, 0x000064},   // additive at half strength
      {-1, 0x0000C8, kKey, 0x0000C8},      // the key colour is invisible
      {0, 0x0000C8, 0x00FF00, 0x00FF00},   // no blending
  };
  int x = 20;
  for (const auto& c : cases) {
    setAlphaMode(-1);
    drawRect(x, 20, 10, 10, c.firstColour);
    setAlphaMode(c.mode);
    drawRect(x, 20, 10, 10, c.secondColour);
    EXPECT_EQ(colourAt(x + 5, 25), c.expected) << "mode " << c.mode;
    x += 20;
  }
}

TEST_F(GlDrawing, SpritesDrawTheirPixelsAtEveryOpacity) {
  makeSprite(kSlot, 8, 8, [](int x, int y) { return x < 4 ? rgba(kWhite) : rgba(0x00FF00, y < 4 ? 0 : 255); });
  setAlphaMode(-0.75);
  drawSprite(kSlot, 50, 50);
  EXPECT_EQ(colourAt(51, 51), 0xBFBFBFu);   // white texel at 75 %
  EXPECT_EQ(colourAt(55, 51), kBlack);      // transparent texel
  EXPECT_EQ(colourAt(55, 55), 0x00BF00u);

  setAlphaMode(0);
  drawSprite(kSlot, 70, 50);
  EXPECT_EQ(colourAt(75, 51), 0x00FF00u);  // without blending a transparent texel shows its colour
}

TEST_F(GlDrawing, DrawSpriteCopiesTheImageAndZoomOneCoversTheSamePixels) {
  makeSprite(kSlot, 17, 9, gradient);
  drawSprite(kSlot, 30, 40);
  const auto drawn = read(20, 30, 40, 30);
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 17; ++x) ASSERT_EQ(drawn.at(30 + x, 40 + y), uint32_t(gradient(x, y)) & 0xFFFFFF) << x << "," << y;
  }
  int left, top, right, bottom;
  ASSERT_TRUE(litBox(20, 30, 40, 30, left, top, right, bottom));
  EXPECT_EQ(left, 30);
  EXPECT_EQ(right, 46);
  EXPECT_EQ(top, 40);
  EXPECT_EQ(bottom, 48);

  clearScreen(0);
  zoomSprite(kSlot, 30, 40, 1, 1);
  EXPECT_EQ(read(20, 30, 40, 30).colours, drawn.colours);
}

TEST_F(GlDrawing, ZoomSpriteScalesAboutTheUnscaledCentre) {
  makeSprite(kSlot, 360, 360, [](int, int) { return rgba(kWhite); });
  zoomSprite(kSlot, 450, 60, 0.5, 0.5);
  int left, top, right, bottom;
  ASSERT_TRUE(litBox(400, 0, 400, 480, left, top, right, bottom));
  EXPECT_EQ(left, 540);
  EXPECT_EQ(top, 150);
  EXPECT_EQ(right, 719);
  EXPECT_EQ(bottom, 329);
}

TEST_F(GlDrawing, DrawAnimPicksFramesLeftToRightThenDown) {
  // Three frames per row, two rows; each 8 x 8 frame its own colour.
  const uint32_t colours[6] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00};
  makeSprite(kSlot, 24, 16, [&](int x, int y) { return rgba(colours[(y / 8) * 3 + x / 8]); });
  setAnimFrameSize(kSlot, 8, 8);
  drawAnim(kSlot, 5, 100, 100);
  const auto frame = read(100, 100, 8, 8);
  for (uint32_t c : frame.colours) ASSERT_EQ(c, colours[5]);
  int left, top, right, bottom;
  ASSERT_TRUE(litBox(90, 90, 30, 30, left, top, right, bottom));
  EXPECT_EQ(left, 100);
  EXPECT_EQ(right, 107);
  EXPECT_EQ(bottom, 107);

  stretchAnim(kSlot, 1, 200, 100, 16, 16);
  EXPECT_EQ(colourAt(200, 100), colours[1]);
  EXPECT_EQ(colourAt(215, 115), colours[1]);
}

TEST_F(GlDrawing, RotoZoomAnimTurnsCounterClockwiseAndMatchesDrawAnimUnturned) {
  // One 16 x 16 frame with coloured quadrants: top-left red, top-right green,
  // bottom-left blue, bottom-right white.
  makeSprite(kSlot, 16, 16, [](int x, int y) {
    return rgba(y < 8 ? (x < 8 ? 0x0000FF : 0x00FF00) : (x < 8 ? 0xFF0000 : kWhite));
  });
  setAnimFrameSize(kSlot, 16, 16);
  drawAnim(kSlot, 0, 100, 100);
  const auto plain = read(90, 90, 36, 36);
  clearScreen(0);
  rotoZoomAnim(kSlot, 0, 100, 100, 0, 1);
  EXPECT_EQ(read(90, 90, 36, 36).colours, plain.colours);

  clearScreen(0);
  rotoZoomAnim(kSlot, 0, 100, 100, 90, 1);
  EXPECT_EQ(colourAt(104, 112), 0x0000FFu);  // top-left went to the bottom-left
  EXPECT_EQ(colourAt(104, 104), 0x00FF00u);  // top-right to the top-left
  EXPECT_EQ(colourAt(112, 104), kWhite);     // bottom-right to the top-right
  EXPECT_EQ(colourAt(112, 112), 0xFF0000u);  // bottom-left to the bottom-right

  clearScreen(0);
  rotoZoomAnim(kSlot, 0, 100, 100, 0, 2);  // about the centre (108, 108)
  int left, top, right, bottom;
  ASSERT_TRUE(litBox(80, 80, 60, 60, left, top, right, bottom));
  EXPECT_EQ(left, 92);
  EXPECT_EQ(top, 92);
  EXPECT_EQ(right, 123);
  EXPECT_EQ(bottom, 123);
}

TEST_F(GlDrawing, RotoZoomSpriteTurnsAboutItsCentre) {
  makeSprite(kSlot, 16, 16, [](int x, int) { return rgba(x < 8 ? 0x0000FF : 0x00FF00); });
  rotoSprite(kSlot, 100, 100, 180);
  EXPECT_EQ(colourAt(104, 108), 0x00FF00u);
  EXPECT_EQ(colourAt(112, 108), 0x0000FFu);
  clearScreen(0);
  rotoZoomSprite(kSlot, 100, 100, 0, 0.5);
  int left, top, right, bottom;
  ASSERT_TRUE(litBox(80, 80, 60, 60, left, top, right, bottom));
  EXPECT_EQ(left, 104);
  EXPECT_EQ(right, 111);
}

TEST_F(GlDrawing, LinesLightBothEndPoints) {
  drawLine(500, 50, 510, 50, kWhite);
  drawLine(520, 50, 520, 60, kWhite);
  int left, top, right, bottom;
  ASSERT_TRUE(litBox(490, 40, 25, 20, left, top, right, bottom));
  EXPECT_EQ(left, 500);
  EXPECT_EQ(right, 510);
  EXPECT_EQ(top, 50);
  EXPECT_EQ(bottom, 50);
  ASSERT_TRUE(litBox(515, 40, 10, 30, left, top, right, bottom));
  EXPECT_EQ(left, 520);
  EXPECT_EQ(right, 520);
  EXPECT_EQ(top, 50);
  EXPECT_EQ(bottom, 60);
}

TEST_F(GlDrawing, SetPixelAndGetPixelAgree) {
  setPixel(3, 4, 0x123456);
  EXPECT_EQ(colourAt(3, 4), 0x123456u);
  EXPECT_EQ(getPixel(3, 4), 0x123456);
  EXPECT_EQ(getPixel(4, 4), 0);
}

TEST_F(GlDrawing, PolygonsDrawTheirModes) {
  makeSprite(kSlot, 16, 16, gradient);
  drawSprite(kSlot, 100, 100);
  const auto sprite = read(100, 100, 16, 16);
  clearScreen(0);

  // A textured fan: top-right, top-left, bottom-left, bottom-right.
  startPoly(kSlot, 0);
  polyVector(116, 100, 16, 0, 0xFFFFFF);
  polyVector(100, 100, 0, 0, 0xFFFFFF);
  polyVector(100, 116, 0, 16, 0xFFFFFF);
  polyVector(116, 116, 16, 16, 0xFFFFFF);
  EXPECT_FALSE(polyHasColours());
  endPoly();
  EXPECT_EQ(read(100, 100, 16, 16).colours, sprite.colours);

  // Mode 3 draws nothing.
  startPoly(-1, 3);
  for (auto [x, y] : {std::pair{200, 200}, {220, 200}, {220, 220}}) polyVector(x, y, 0, 0, 0x0000FF);
  endPoly();
  int left, top, right, bottom;
  EXPECT_FALSE(litBox(190, 190, 40, 40, left, top, right, bottom));

  // Two strips in one polygon, joined by degenerate triangles: both drawn, nothing between.
  startPoly(-1, 2);
  for (auto [x, y] : {std::pair{300, 300}, {300, 310}, {310, 300}, {310, 310}}) polyVector(x, y, 0, 0, 0x0000FF);
  polyNewStrip();
  for (auto [x, y] : {std::pair{330, 300}, {330, 310}, {340, 300}, {340, 310}}) polyVector(x, y, 0, 0, 0x00FF00);
  EXPECT_TRUE(polyHasColours());
  endPoly();
  EXPECT_EQ(colourAt(305, 305), 0x0000FFu);
  EXPECT_EQ(colourAt(335, 305), 0x00FF00u);
  EXPECT_EQ(colourAt(320, 305), kBlack);

  // The key colour makes a vertex transparent; other colours take the global alpha.
  setAlphaMode(-0.5);
  startPoly(-1, 1);
  polyVector(0, 0, 0, 0, kKey);
  polyVector(1, 0, 0, 0, 0x102030);
  EXPECT_EQ(polyVertices()[0].alpha, 0);
  EXPECT_EQ(polyVertices()[1].alpha, 127);
  EXPECT_EQ(polyVertices()[1].red, 0x30);
}

TEST_F(GlDrawing, PolygonBufferGrowsInStepsAndKeepsItsVertices) {
  startPoly(-1, 1);
  for (int i = 0; i < 700; ++i) polyVector(i, i, 0, 0, 0xFFFFFF);
  EXPECT_EQ(polyVertexCount(), 700);
  EXPECT_EQ(polyCapacity(), 768);
  EXPECT_EQ(polyVertices()[699].x, 699.0f);
  EXPECT_EQ(polyVertices()[0].x, 0.0f);
  endPoly();
  startPoly(-1, 1);
  EXPECT_EQ(polyCapacity(), 768);  // the buffer stays for the next polygon
}

TEST_F(GlDrawing, BadArgumentsDrawNothingAndNeverCrash) {
  makeSprite(kSlot, 8, 8, [](int, int) { return rgba(kWhite); });
  setAnimFrameSize(kSlot, 8, 8);
  const int badSlots[] = {-1, -70000, 65537, INT_MAX, INT_MIN};
  for (int slot : badSlots) {
    drawSprite(slot, 10, 10);
    stretchSprite(slot, 10, 10, 5, 5);
    zoomSprite(slot, 10, 10, 2, 2);
    rotoZoomSprite(slot, 10, 10, 45, 2);
    drawAnim(slot, 0, 10, 10);
    stretchAnim(slot, 0, 10, 10, 5, 5);
    rotoZoomAnim(slot, 0, 10, 10, 45, 2);
    if (slot == -1) continue;  // -1 is an untextured polygon
    startPoly(slot, 0);
    polyVector(10, 10, 0, 0, 0xFFFFFF);
    polyVector(20, 10, 0, 0, 0xFFFFFF);
    polyVector(20, 20, 0, 0, 0xFFFFFF);
    endPoly();
  }
  // Extreme numbers: no overflow, no crash; nothing lands in the test area.
  zoomSprite(kSlot, 10, 10, NAN, 1e300);
  zoomSprite(kSlot, INT_MAX, INT_MIN, 1e12, -1e12);
  drawAnim(kSlot, INT_MAX, 600, 400);
  drawAnim(kSlot, INT_MIN, 600, 400);
  rotoZoomAnim(kSlot, INT_MIN, 600, 400, 1e30, NAN);
  stretchAnim(kSlot, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX);
  setAlphaMode(NAN);
  int left, top, right, bottom;
  EXPECT_FALSE(litBox(0, 0, 40, 40, left, top, right, bottom));
  drawRect(INT_MAX, INT_MAX, INT_MIN, INT_MIN, kWhite);  // from 0 to 2^31: the whole screen
  EXPECT_EQ(colourAt(799, 479), kWhite);
  clearScreen(0);

  // An empty slot draws nothing; its frame size is kept from before.
  freeSlot(*r, kSlot);
  EXPECT_EQ(r->spriteSlots[kSlot].frameWidth, 8);
  drawSprite(kSlot, 50, 50);
  EXPECT_FALSE(litBox(40, 40, 30, 30, left, top, right, bottom));
}

}  // namespace
}  // namespace mvn
