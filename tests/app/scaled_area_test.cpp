// Where a scaled window shows the drawing surface, and the way back from a
// pixel of the window to a pixel of the surface.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "runtime/platform/scaled_area.h"

namespace mvn::platform {
namespace {

struct FitCase {
  int areaWidth, areaHeight;
  ScaledArea expected;
};

TEST(ScaledAreaTest, TheLargestSizeThatFitsKeepsTheShapeCentred) {
  const FitCase cases[] = {
      {800, 480, {0, 0, 800, 480, true}},       // the drawing size itself
      {1600, 960, {0, 0, 1600, 960, true}},     // twice: sharp
      {2400, 1440, {0, 0, 2400, 1440, true}},   // three times
      {1200, 720, {0, 0, 1200, 720, false}},    // one and a half: smooth
      {1000, 900, {0, 150, 1000, 600, false}},  // bars above and below
      {2000, 960, {200, 0, 1600, 960, true}},   // bars left and right, still twice
      {1920, 1200, {0, 24, 1920, 1152, false}},
      {1601, 961, {0, 0, 1601, 961, false}},    // a pixel more than twice: rounded, smooth
      {400, 240, {0, 0, 400, 240, false}},      // smaller than the drawing
      {801, 480, {0, 0, 800, 480, true}},       // a column of bar, split to the right
  };
  for (const FitCase& c : cases) {
    const ScaledArea a = fitDrawing(800, 480, c.areaWidth, c.areaHeight);
    SCOPED_TRACE(std::to_string(c.areaWidth) + "x" + std::to_string(c.areaHeight));
    EXPECT_EQ(a.x, c.expected.x);
    EXPECT_EQ(a.y, c.expected.y);
    EXPECT_EQ(a.width, c.expected.width);
    EXPECT_EQ(a.height, c.expected.height);
    EXPECT_EQ(a.whole, c.expected.whole);
  }
}

TEST(ScaledAreaTest, NothingFitsInAnEmptyAreaOrForAnEmptySurface) {
  for (const auto& sizes : {std::array<int, 4>{800, 480, 0, 480}, {800, 480, 800, -1},
                            {0, 480, 800, 480}, {800, 480, 0, 0}}) {
    const ScaledArea a = fitDrawing(sizes[0], sizes[1], sizes[2], sizes[3]);
    EXPECT_EQ(a.width, 0);
    EXPECT_EQ(a.height, 0);
  }
}

// A display scaled by 2: the window of 800 by 480 logical units has
// 1600 by 960 pixels, and the surface is shown sharp at twice its size.
TEST(ScaledAreaTest, AHighDpiWindowOfTheDrawingSizeShowsItSharpAtTwice) {
  const ScaledArea a = fitDrawing(800, 480, 800 * 2, 480 * 2);
  EXPECT_TRUE(a.whole);
  EXPECT_EQ(a.width, 1600);
  // A position in logical units, turned into pixels, lands on its surface pixel.
  EXPECT_EQ(surfacePixel(123 * 2.0, a.x, a.width, 800), 123);
}

struct PixelCase {
  double pixel;
  int offset, scaledSize, drawingSize;
  int expected;
};

TEST(ScaledAreaTest, AWindowPixelMapsToTheSurfacePixelUnderIt) {
  const PixelCase cases[] = {
      {0, 0, 1600, 800, 0},    {1, 0, 1600, 800, 0},     {2, 0, 1600, 800, 1},
      {1599, 0, 1600, 800, 799},
      {1, 0, 1200, 800, 0},    {2, 0, 1200, 800, 1},     {1199, 0, 1200, 800, 799},
      {149, 150, 600, 480, -1},  // the bar above: outside, before the surface
      {150, 150, 600, 480, 0},  {749, 150, 600, 480, 479},
      {750, 150, 600, 480, 480},  // the bar below: outside, after it
      {0, 150, 600, 480, -120},
  };
  for (const PixelCase& c : cases)
    EXPECT_EQ(surfacePixel(c.pixel, c.offset, c.scaledSize, c.drawingSize), c.expected)
        << c.pixel << " at " << c.offset << ", " << c.scaledSize << " for " << c.drawingSize;
}

TEST(ScaledAreaTest, TheWayBackLandsOnTheSameSurfacePixelAtEveryScaleFromOne) {
  for (const int scaled : {800, 1000, 1200, 1600, 1601, 2400}) {
    for (int surface = -50; surface < 850; ++surface) {
      const int pixel = areaPixel(surface, 37, scaled, 800);
      ASSERT_EQ(surfacePixel(pixel, 37, scaled, 800), surface) << surface << " at " << scaled;
    }
  }
}

// A display whose window system counts in pixels: the window opens at the
// whole number of times 96 dpi goes into the display's, while it fits.
TEST(ScaledAreaTest, AWindowOpensLargerOnADisplayOfManyDotsPerInch) {
  struct Case {
    double dpi;
    int usableWidth, usableHeight;
    int expected;
  } cases[] = {
      {0, 3840, 2160, 1},     // unknown
      {-5, 3840, 2160, 1},    {96, 3840, 2160, 1},    {191.9, 3840, 2160, 1},
      {192, 3840, 2160, 2},   {280, 3840, 2160, 2},   {288, 3840, 2160, 3},
      {288, 2400, 1440, 3},   // exactly fits
      {288, 2399, 1440, 2},   // not at three times: twice
      {192, 1500, 900, 1},    // not even twice
      {1e9, 1 << 30, 1 << 30, 16},
  };
  for (const Case& c : cases)
    EXPECT_EQ(openingScale(c.dpi, 800, 480, c.usableWidth, c.usableHeight), c.expected)
        << c.dpi << " dpi in " << c.usableWidth << "x" << c.usableHeight;
}

}  // namespace
}  // namespace mvn::platform
