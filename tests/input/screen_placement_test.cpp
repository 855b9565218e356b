#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/input/mouse.h"

namespace mvn {
namespace {

struct PlacementCase {
  int orientation;
  float scale;
  int inX, inY;
  int outX, outY;
};

TEST(MouseScreenPlacement, TurnsClampsAndScalesTheClientPosition) {
  // An 800 by 480 screen; with a scale the offset is (16, 8).
  const PlacementCase cases[] = {
      {0, 0, 123, 45, 123, 45},
      {0, 0, -1, -9, 0, 0},
      {0, 0, 800, 480, 800, 480},  // the upper limits are inclusive
      {0, 0, 801, 999, 800, 480},
      {1, 0, 10, 20, 20, 789},     // (y, W - 1 - x)
      {2, 0, 10, 20, 789, 459},    // (W - 1 - x, H - 1 - y)
      {3, 0, 10, 20, 459, 10},     // (H - 1 - y, x)
      {1, 0, 10, 470, 470, 789},
      {1, 0, -5, 479, 479, 800},   // turned: x held to H, y to W
      {3, 0, 0, 900, 0, 0},
      {0, 2, 116, 108, 50, 50},
      {0, 1.5f, 17, 9, 0, 0},      // (17 - 16) / 1.5 truncated
      {0, 2, 0, 0, -8, -4},
      {0, 0.1f, 19, 11, 30, 30},   // 3 / 0.1f is 30 in single precision
  };
  for (const PlacementCase& c : cases) {
    MouseScreen screen;
    screen.width = 800;
    screen.height = 480;
    screen.orientation = c.orientation;
    screen.scale = c.scale;
    screen.offsetX = 16;
    screen.offsetY = 8;
    int x = c.inX, y = c.inY;
    placeOnScreen(x, y, screen);
    EXPECT_EQ(x, c.outX) << c.orientation << " " << c.inX << "," << c.inY;
    EXPECT_EQ(y, c.outY) << c.orientation << " " << c.inX << "," << c.inY;
  }
}

TEST(MouseScreenPlacement, ExtremePositionsScalesAndOffsetsClampToTheIntRange) {
  constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
  const float nan = std::nanf(""), inf = INFINITY;
  struct Case {
    int orientation;
    float scale;
    int offsetX, offsetY;
    int inX, inY;
    int outX, outY;
  };
  const Case cases[] = {
      {1, 0, 0, 0, kMin, kMax, 480, 800},  // turned from the far ends: held to the screen
      {2, 0, 0, 0, kMin, kMin, 800, 480},
      {3, 0, 0, 0, kMax, kMin, 480, 800},
      {0, 1e-30f, 16, 8, 100, 100, kMax, kMax},
      {0, -1e-30f, 16, 8, 100, 100, kMin, kMin},
      {0, 0.5f, kMin, kMax, 100, 100, kMax, kMin},
      {0, 0.5f, kMax, kMin, 800, 0, kMin, kMax},
      {0, nan, 16, 8, 100, 100, 0, 0},
      {0, inf, 16, 8, 100, 100, 0, 0},
  };
  for (const Case& c : cases) {
    MouseScreen screen;
    screen.width = 800;
    screen.height = 480;
    screen.orientation = c.orientation;
    screen.scale = c.scale;
    screen.offsetX = c.offsetX;
    screen.offsetY = c.offsetY;
    int x = c.inX, y = c.inY;
    placeOnScreen(x, y, screen);
    EXPECT_EQ(x, c.outX) << c.orientation << " " << c.scale << " " << c.offsetX << " " << c.inX;
    EXPECT_EQ(y, c.outY) << c.orientation << " " << c.scale << " " << c.offsetY << " " << c.inY;
  }
}

}  // namespace
}  // namespace mvn
