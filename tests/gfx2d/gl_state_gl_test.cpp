// The renderer's record of GL state follows the real state, and the view
// maths holds extreme arguments inside the integer range.
#include <climits>
#include <vector>

#include "runtime/gfx2d/drawing/gl_extensions.h"
#include "tests/gfx2d/gl_fixture.h"

namespace mvn {
namespace {

using testing::GlDrawing;
using testing::rgba;

constexpr int kSprite = 30, kOther = 31;

TEST_F(GlDrawing, AlphaTestReferenceIsTheOneGlHolds) {
  // 0.99999999 is 1 as a float: the test is on and passes nothing, whatever
  // reference GL was given before the test was switched off.
  makeSprite(kSprite, 16, 16, [](int, int) { return rgba(0x00FF00, 230); });
  const struct {
    const char* how;
    std::function<void()> switchOff;
  } cases[] = {
      {"setAlphaTest(1)", [] { setAlphaTest(1); }},
      {"the frame reset", [this] { resetDrawingState(*r); }},
  };
  for (const auto& c : cases) {
    clearScreen(0);
    setAlphaTest(0.5);
    c.switchOff();
    setAlphaTest(0.99999999);
    GLfloat reference = 0;
    glGetFloatv(GL_ALPHA_TEST_REF, &reference);
    EXPECT_FLOAT_EQ(reference, 1.0f) << c.how;
    drawSprite(kSprite, 100, 100);
    EXPECT_EQ(colourAt(108, 108), 0u) << c.how;
    setAlphaTest(1);
  }
}

TEST_F(GlDrawing, WrapRecordFollowsATextureBoundOnTheSecondUnit) {
  if (!activeTextureEntry()) GTEST_SKIP() << "no multitexturing";
  makeSprite(kSprite, 16, 16, [](int x, int) { return rgba(x < 8 ? 0xFF0000 : 0x0000FF); });
  makeSprite(kOther, 16, 16, [](int, int y) { return rgba(y < 8 ? 0x00FF00 : 0xFFFFFF); });
  // slot drawn and checked, slots bound together (first on unit 1, second on unit 0)
  const struct {
    int drawn, first, second;
  } cases[] = {{kSprite, kSprite, kOther}, {kOther, kSprite, kOther}};
  for (const auto& c : cases) {
    drawSprite(c.drawn, 0, 0);  // quads clamp to the edge
    bindSlot(*r, c.first, c.second);
    bindSlot(*r, -1);
    drawSprite(c.drawn, 0, 0);
    GLint wrapS = 0, wrapT = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
    EXPECT_EQ(wrapS, GL_CLAMP_TO_EDGE) << "slot " << c.drawn;
    EXPECT_EQ(wrapT, GL_CLAMP_TO_EDGE) << "slot " << c.drawn;
  }
}

TEST_F(GlDrawing, SpriteReadBackIgnoresAnEarlierUnrelatedGlError) {
  makeSprite(kSprite, 4, 2, [](int x, int y) { return rgba(uint32_t(x * 50 + y)); });
  glEnable(0x7FFF);  // an invalid capability leaves GL_INVALID_ENUM pending
  std::vector<int32_t> pixels;
  ASSERT_EQ(spriteToMem(pixels, kSprite), 1);
  ASSERT_EQ(pixels.size(), 8u);
  EXPECT_EQ(pixels[0], rgba(1));        // bottom row first
  EXPECT_EQ(pixels[7], rgba(150));
}

TEST_F(GlDrawing, ExtremeViewArgumentsAreHeldInsideTheIntegerRange) {
  setVirtualResolution(400, 240);  // scale 2
  const struct {
    int x, y, width, height;
    int reportedX, reportedY, reportedWidth, reportedHeight;
  } cases[] = {
      {0, 0, 2000000000, 100, 0, 0, INT_MAX / 2, 100},
      {INT_MAX, INT_MIN, 10, 10, INT_MAX, INT_MIN, 10, 10},
      {-1500000000, 1500000000, 1, 1, INT_MIN, INT_MAX, 1, 1},
  };
  for (const auto& c : cases) {
    viewport(c.x, c.y, c.width, c.height);
    int x, y, width, height;
    getViewport(x, y, width, height);
    EXPECT_EQ(x, c.reportedX) << c.x;
    EXPECT_EQ(y, c.reportedY) << c.x;
    EXPECT_EQ(width, c.reportedWidth) << c.x;
    EXPECT_EQ(height, c.reportedHeight) << c.x;
  }
  viewport(0, 0, 0, 0);
  for (int coordinate : {INT_MAX, INT_MIN, INT_MAX / 2 + 1}) {
    EXPECT_EQ(getPixel(coordinate, 5), 0) << coordinate;
    EXPECT_EQ(getPixel(5, coordinate), 0) << coordinate;
  }
  setVirtualResolution(0, 0);
}

}  // namespace
}  // namespace mvn
