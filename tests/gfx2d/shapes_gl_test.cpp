// The tint, the shapes and the camera offset on the real context: which
// pixels they cover, in which colour, and that drawn batched or command by
// command they are the same pixels.
#include <cmath>
#include <cstdint>
#include <vector>

#include "runtime/gfx2d/drawing/draw_batch.h"
#include "runtime/gfx2d/fonts/font_builtin.h"
#include "runtime/gfx2d/fonts/font_selection.h"
#include "runtime/gfx2d/fonts/font_text.h"
#include "runtime/gfx2d/drawing/polygon.h"
#include "tests/gfx2d/gl_fixture.h"

namespace mvn {
namespace {

constexpr double kPi = 3.14159265358979323846;  // M_PI is not standard C++

using testing::GlDrawing;
using testing::kBlack;
using testing::rgba;

constexpr int kSprite = 40;

class Shapes : public GlDrawing {
 protected:
  void SetUp() override {
    GlDrawing::SetUp();
    makeSprite(kSprite, 8, 8, [](int x, int y) { return rgba(uint32_t(0x20 * x) | uint32_t(0x20 * y) << 8 | 0xC00000u); });
  }
  void TearDown() override {
    setDrawBatching(true);
    setVirtualResolution(0, 0);
    GlDrawing::TearDown();
  }
  // Every pixel of a rectangle that is not black, as (x, y) pairs.
  std::vector<std::pair<int, int>> lit(int x, int y, int width, int height) const {
    const Region region = read(x, y, width, height);
    std::vector<std::pair<int, int>> pixels;
    for (int py = y; py < y + height; ++py)
      for (int px = x; px < x + width; ++px)
        if (region.at(px, py) != kBlack) pixels.push_back({px, py});
    return pixels;
  }
};

// The tint multiplies each channel of images, text and polygons; white
// changes nothing, and the frame's end takes it back to white.
TEST_F(Shapes, TheTintMultipliesWhatImagesDraw) {
  auto scaled = [](uint32_t c, uint32_t tint) {
    uint32_t out = 0;
    for (int shift : {0, 8, 16}) {
      const float v = ((c >> shift) & 255) / 255.0f * (((tint >> shift) & 255) / 255.0f);
      out |= uint32_t(std::lround(v * 255)) << shift;
    }
    return out;
  };
  for (uint32_t tint : {0xFFFFFFu, 0x0000FFu, 0x80FF40u}) {
    SCOPED_TRACE(::testing::Message() << std::hex << "tint " << tint);
    clearScreen(0);
    setTint(int(tint));
    EXPECT_EQ(uint32_t(getTint()), tint);
    drawSprite(kSprite, 10, 10);
    startPoly(-1, 0);
    for (auto [x, y] : {std::pair{40, 10}, {50, 10}, {50, 20}, {40, 20}}) polyVector(x, y, 0, 0, 0x4080C0);
    endPoly();
    const Region region = read(0, 0, 60, 30);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        ASSERT_NEAR(double(region.at(10 + x, 10 + y)), double(scaled(uint32_t(0x20 * x) | uint32_t(0x20 * y) << 8 | 0xC00000u, tint)), 0.0)
            << x << ", " << y;
    // The built-in font's white ink comes out in the tint.
    buildBuiltinFont(*r, 0);
    setFont(0, 1);
    print("HH", 100, 10, 0);
    const Region text = read(100, 10, 16, 8);
    int inked = 0, white = 0;
    for (uint32_t c : text.colours) inked += c == tint, white += c == 0xFFFFFF;
    EXPECT_GT(inked, 10);
    if (tint != 0xFFFFFF) {
      EXPECT_EQ(white, 0);
    }
    const uint32_t polygon = region.at(45, 15);
    for (int shift : {0, 8, 16})
      EXPECT_NEAR(double((polygon >> shift) & 255), double((scaled(0x4080C0, tint) >> shift) & 255), 1.0);
  }
  resetDrawingState(*r);
  EXPECT_EQ(getTint(), 0xFFFFFF);
}

// Shapes cover the pixels they name: an outline the border of drawRect's
// rectangle, a wide line its band, a circle the pixels within its radius.
TEST_F(Shapes, ShapesCoverTheirPixels) {
  drawRectOutline(10, 10, 6, 4, 0xFFFFFF);
  drawRectOutline(30, 10, -3, 1, 0xFFFFFF);  // one row, extending left
  std::vector<std::pair<int, int>> border;
  for (int y = 10; y < 14; ++y)
    for (int x = 10; x < 16; ++x)
      if (x == 10 || x == 15 || y == 10 || y == 13) border.push_back({x, y});
  for (int x = 28; x <= 30; ++x) border.push_back({x, 10});
  std::sort(border.begin(), border.end(), [](auto a, auto b) { return a.second != b.second ? a.second < b.second : a.first < b.first; });
  EXPECT_EQ(lit(0, 0, 40, 20), border);

  clearScreen(0);
  drawWideLine(10, 20, 50, 20, 4, 0xFFFFFF);  // rows 18 to 21, columns 10 to 49
  int left, top, right, bottom;
  ASSERT_TRUE(litBox(0, 0, 80, 40, left, top, right, bottom));
  EXPECT_EQ(left, 10);
  EXPECT_EQ(right, 49);
  EXPECT_EQ(top, 18);
  EXPECT_EQ(bottom, 21);
  EXPECT_EQ(lit(0, 0, 80, 40).size(), 40u * 4);

  clearScreen(0);
  fillCircle(100.5, 100.5, 20, 0x00FF00);
  drawCircle(200.5, 100.5, 20, 0x00FF00);
  fillEllipse(300.5, 100.5, 30, 10, 0x00FF00);
  const Region region = read(0, 0, 400, 200);
  int inside = 0, wrong = 0;
  for (int y = 60; y < 141; ++y) {
    for (int x = 60; x < 141; ++x) {
      const double d = std::hypot(x + 0.5 - 100.5, y + 0.5 - 100.5);
      const bool on = region.at(x, y) == 0x00FF00;
      if (d < 19.5) inside += on, wrong += !on;
      if (d > 20.5) wrong += on;
      // The outline: lit near the radius, dark well inside and outside.
      const bool ring = region.at(x + 100, y) == 0x00FF00;
      if (std::fabs(d - 20) > 1.0) wrong += ring;
    }
  }
  EXPECT_GT(inside, 1100);
  EXPECT_EQ(wrong, 0);
  for (int angle = 0; angle < 360; angle += 15) {
    const int x = int(std::floor(200.5 + 20 * std::cos(angle * kPi / 180)));
    const int y = int(std::floor(100.5 - 20 * std::sin(angle * kPi / 180)));
    EXPECT_EQ(region.at(x, y), 0x00FF00u) << "the outline at " << angle << " degrees";
  }
  EXPECT_EQ(region.at(300, 100), 0x00FF00u);
  EXPECT_EQ(region.at(328, 100), 0x00FF00u);
  EXPECT_EQ(region.at(300, 113), kBlack);  // beyond radiusY
  // Nothing for shapes of no size.
  clearScreen(0);
  fillCircle(50, 50, 0, 0xFFFFFF);
  drawEllipse(50, 50, -3, 4, 0xFFFFFF);
  drawWideLine(10, 10, 40, 40, 0, 0xFFFFFF);
  drawRectOutline(10, 10, 0, 5, 0xFFFFFF);
  fillCircle(50, 50, NAN, 0xFFFFFF);
  EXPECT_TRUE(lit(0, 0, 100, 100).empty());
}

// Shapes, tint and camera in one frame: batched and command by command the
// same pixels, in a scaled view and blended too.
TEST_F(Shapes, BatchedOrNotTheSamePixels) {
  auto frame = [&](bool batched) {
    setDrawBatching(batched);
    clearScreen(0);
    resetDrawingState(*r);
    drawRect(0, 0, 800, 480, 0x203040);
    setTint(0x80C0FF);
    for (int i = 0; i < 30; ++i) drawSprite(kSprite, 10 + 9 * i, 10);
    fillCircle(400, 200, 60, 0x00FFFF);
    setAlphaMode(-0.5);
    drawCircle(400, 200, 70, 0xFFFFFF);
    drawWideLine(100, 300, 700, 350, 7.5, 0xFF00FF);
    setAlphaMode(-1);
    setCameraOffset(120, -30);
    drawRectOutline(150, 100, 200, 80, 0x00FF00);
    drawRect(300, 150, 200, 200, 0x0000FF);  // a clear where the shortcuts hold
    for (int i = 0; i < 30; ++i) drawAnim(kSprite, 0, 200 + 8 * i, 100);
    setVirtualResolution(400, 240);
    fillEllipse(200, 120, 50, 20, 0x404040);
    setVirtualResolution(0, 0);
    return surface();
  };
  const std::vector<uint8_t> batched = frame(true);
  const std::vector<uint8_t> single = frame(false);
  size_t differing = 0;
  for (size_t i = 0; i < batched.size(); ++i) differing += batched[i] != single[i];
  EXPECT_EQ(differing, 0u);
}

// The camera moves what is drawn by its offset, in every view, until the frame ends.
TEST_F(Shapes, TheCameraMovesWhatIsDrawn) {
  setCameraOffset(100, 50);
  drawRect(110, 60, 4, 3, 0xFFFFFF);
  drawSprite(kSprite, 120, 70);
  int left, top, right, bottom;
  ASSERT_TRUE(litBox(0, 0, 60, 60, left, top, right, bottom));
  EXPECT_EQ(left, 10);
  EXPECT_EQ(top, 10);
  EXPECT_EQ(right, 27);
  EXPECT_EQ(bottom, 27);
  EXPECT_EQ(colourAt(21, 21), 0xC02020u);  // the sprite's texel (1, 1)
  viewport(300, 300, 100, 100);  // in the viewport too
  drawRect(110, 60, 2, 2, 0x00FF00);
  EXPECT_EQ(colourAt(310, 310), 0x00FF00u);
  resetDrawingState(*r);
  drawRect(110, 60, 2, 2, 0x0000FF);
  EXPECT_EQ(colourAt(110, 60), 0x0000FFu);
}

TEST(Rectangles, OverlapAndPointInRectangle) {
  struct Case {
    int a[4], b[4];
    int overlap;
  };
  const Case cases[] = {
      {{0, 0, 10, 10}, {5, 5, 10, 10}, 1},   {{0, 0, 10, 10}, {10, 0, 5, 5}, 0},   // touching edges share no pixel
      {{0, 0, 10, 10}, {9, 9, 1, 1}, 1},     {{0, 0, 10, 10}, {2, 2, 3, 3}, 1},    // inside
      {{0, 0, 0, 10}, {0, 0, 10, 10}, 0},    {{0, 0, 10, 10}, {0, 0, 10, -1}, 0},  // no size
      {{2147483600, 0, 100, 1}, {-2147483647, 0, 10, 1}, 0},                         // no wrap at the range's end
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rectsOverlap(c.a[0], c.a[1], c.a[2], c.a[3], c.b[0], c.b[1], c.b[2], c.b[3]), c.overlap);
    EXPECT_EQ(rectsOverlap(c.b[0], c.b[1], c.b[2], c.b[3], c.a[0], c.a[1], c.a[2], c.a[3]), c.overlap);
  }
  EXPECT_EQ(pointInRect(0, 0, 0, 0, 1, 1), 1);
  EXPECT_EQ(pointInRect(1, 0, 0, 0, 1, 1), 0);
  EXPECT_EQ(pointInRect(5, 5, 10, 10, -5, -5), 0);
  EXPECT_EQ(pointInRect(2147483647, 0, 2147483640, 0, 100, 1), 1);
}

}  // namespace
}  // namespace mvn
