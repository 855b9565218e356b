// Viewport, orientation, virtual resolution, background and the state every
// frame starts from.
#include "runtime/app/frame_loop.h"
#include "runtime/gfx2d/drawing/frame_state.h"
#include "tests/gfx2d/gl_fixture.h"

namespace mvn {
namespace {

using testing::GlDrawing;
using testing::kBlack;
using testing::kWhite;
using testing::rgba;

struct GlViewport {
  int x, y, width, height;
  bool operator==(const GlViewport& o) const {
    return x == o.x && y == o.y && width == o.width && height == o.height;
  }
};

GlViewport glViewportNow() {
  GLint v[4];
  glGetIntegerv(GL_VIEWPORT, v);
  return {v[0], v[1], v[2], v[3]};
}

TEST_F(GlDrawing, ViewportMapsTheProgramOriginIntoTheWindow) {
  viewport(10, 10, 100, 50);
  EXPECT_TRUE((glViewportNow() == GlViewport{10, 420, 100, 50}));
  int x, y, w, h;
  getViewport(x, y, w, h);
  EXPECT_EQ(x, 10);
  EXPECT_EQ(w, 100);
  drawRect(0, 0, 1, 1, kWhite);
  drawRect(99, 49, 5, 5, kWhite);  // clipped at the viewport's far corner
  EXPECT_EQ(colourAt(10, 10), kWhite);
  EXPECT_EQ(colourAt(109, 59), kWhite);
  EXPECT_EQ(colourAt(110, 60), kBlack);
  viewport(0, 0, 0, 0);
  EXPECT_TRUE((glViewportNow() == GlViewport{0, 0, 800, 480}));
}

TEST_F(GlDrawing, OrientationsTurnTheScreenAndPixelsReadBackWhereTheyWereDrawn) {
  const struct {
    int orientation;
    int screenWidth, screenHeight;
    int windowX, windowY;  // where program pixel (0, 0) lands
  } cases[] = {
      {0, 800, 480, 0, 0},
      {1, 480, 800, 799, 0},
      {2, 800, 480, 799, 479},
      {3, 480, 800, 0, 479},
  };
  for (const auto& c : cases) {
    clearScreen(0);
    setOrientation(c.orientation);
    int w, h;
    getScreenSize(w, h);
    EXPECT_EQ(w, c.screenWidth) << c.orientation;
    EXPECT_EQ(h, c.screenHeight) << c.orientation;
    setPixel(0, 0, 0x0000FF);
    setPixel(5, 2, 0x00FF00);
    EXPECT_EQ(colourAt(c.windowX, c.windowY), 0x0000FFu) << c.orientation;
    EXPECT_EQ(getPixel(0, 0), 0x0000FF) << c.orientation;
    EXPECT_EQ(getPixel(5, 2), 0x00FF00) << c.orientation;
    EXPECT_EQ(getPixel(1, 0), 0) << c.orientation;
  }
  setOrientation(7);
  EXPECT_EQ(getOrientation(), 3);
  setOrientation(-1);
  EXPECT_EQ(getOrientation(), 0);
}

TEST_F(GlDrawing, VirtualResolutionScalesIntoTheWindow) {
  const struct {
    int windowWidth, windowHeight;
    double virtualWidth, virtualHeight;
    float scale;
    int offsetX, offsetY;
  } cases[] = {
      {800, 480, 400, 240, 2, 0, 0},
      {1000, 480, 400, 240, 2, 100, 0},
      {800, 480, 500, 300, 1.5f, 25, 15},  // f = 1.6
      {800, 480, 40, 24, 20, 0, 0},        // f >= 10: its whole part
  };
  for (const auto& c : cases) {
    open(c.windowWidth, c.windowHeight);
    setVirtualResolution(c.virtualWidth, c.virtualHeight);
    const VirtualResolution& v = virtualResolution();
    EXPECT_EQ(v.scale, c.scale) << c.virtualWidth;
    EXPECT_EQ(v.offsetX, c.offsetX) << c.virtualWidth;
    EXPECT_EQ(v.offsetY, c.offsetY) << c.virtualWidth;
    int w, h;
    getScreenSize(w, h);
    EXPECT_EQ(w, int(c.virtualWidth));
    EXPECT_EQ(h, int(c.virtualHeight));
    const int block = int(c.scale);
    if (float(block) != c.scale) continue;
    drawRect(1, 0, 1, 1, kWhite);
    int left, top, right, bottom;
    ASSERT_TRUE(litBox(0, 0, c.windowWidth, 40, left, top, right, bottom));
    EXPECT_EQ(left, c.offsetX + block);
    EXPECT_EQ(right, c.offsetX + 2 * block - 1);
    EXPECT_EQ(top, c.offsetY);
    EXPECT_EQ(bottom, c.offsetY + block - 1);
    EXPECT_EQ(getPixel(1, 0), int(kWhite));
    EXPECT_EQ(getPixel(0, 0), 0);
    viewport(10, 10, 0, 0);
    int x, y;
    getViewport(x, y, w, h);
    EXPECT_EQ(x, 10 * block);
    EXPECT_EQ(w, int(c.virtualWidth));
  }
  setVirtualResolution(0, 5);
  EXPECT_EQ(virtualResolution().scale, 0.0f);
  int w, h;
  getScreenSize(w, h);
  EXPECT_EQ(w, 800);
}

TEST_F(GlDrawing, EveryFrameStartsClearedWithAlphaModeMinusOne) {
  makeSprite(10, 8, 8, [](int, int) { return rgba(kWhite, 128); });
  setAlphaMode(0.5);
  setAlphaTest(0.9);
  drawRect(0, 0, 50, 50, kWhite);
  resetDrawingState(*r);
  EXPECT_EQ(colourAt(10, 10), kBlack);  // cleared
  drawRect(0, 0, 4, 4, kWhite);
  EXPECT_EQ(colourAt(1, 1), kWhite);    // full opacity, plain blending
  drawSprite(10, 20, 0);                // the alpha test is off: half-transparent texels drawn
  EXPECT_EQ(colourAt(21, 1), 0x808080u);
  EXPECT_EQ(r->globalAlpha, 1.0f);

  // The same through the frame loop's present.
  setAlphaMode(2);
  setAlphaTest(0.9);
  drawRect(0, 0, 50, 50, 0x0000FF);
  showScreen();
  EXPECT_EQ(colourAt(10, 10), kBlack);
  drawRect(0, 0, 4, 4, 0x0000FF);
  drawRect(0, 0, 4, 4, 0x00FF00);  // blending, not adding
  EXPECT_EQ(colourAt(1, 1), 0x00FF00u);

  clearScreen(-1);  // no more clearing: the last frame stays under the next
  resetDrawingState(*r);
  EXPECT_EQ(colourAt(1, 1), 0x00FF00u);
}

TEST_F(GlDrawing, TheScreenAsBackgroundIsDrawnBehindEveryFrame) {
  drawRect(0, 0, 10, 10, 0x0000FF);
  useScreenAsBackground();
  const int slot = r->backgroundSlots[0];
  ASSERT_GE(slot, 0);
  EXPECT_EQ(r->spriteSlots[slot].imageWidth, 800);
  setAlphaMode(0.5);  // the last frame's mode does not reach the background
  drawRect(0, 0, 800, 480, 0x00FF00);
  resetDrawingState(*r);
  EXPECT_EQ(colourAt(5, 5), 0x0000FFu);
  EXPECT_EQ(colourAt(50, 50), kBlack);
  clearScreen(0);
  EXPECT_EQ(r->backgroundSlots[0], -1);
  EXPECT_EQ(r->spriteSlots[slot].imageWidth, 0);  // its slot is freed
  resetDrawingState(*r);
  EXPECT_EQ(colourAt(5, 5), kBlack);
}

}  // namespace
}  // namespace mvn
