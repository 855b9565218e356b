// A scaled window's drawing surface: what the program draws and reads back
// (getPixel, grabSprite, saveScreen) is the unscaled surface, read without an
// OpenGL error, and the window keeps reporting the drawing size.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <string>

#include "morvane/morvane.h"
#include "runtime/app/scaled_surface.h"
#include "runtime/gfx2d/drawing/draw_batch.h"
#include "tests/support/environment.h"
#include "tests/support/gl_window.h"

namespace mvn {
namespace {

TEST(ScaledSurfaceTest, DrawingAndReadingBackSeeTheUnscaledSurface) {
  if (runtimeObjects.renderer) GTEST_SKIP() << "this process has an ordinary window already";
  setenv("MORVANE_WINDOW", "scaled", 1);
  OpenGLRainbows& renderer = testing::openTestWindow(320, 200);
  unsetenv("MORVANE_WINDOW");
  ASSERT_NE(renderer.window, nullptr);
  ASSERT_TRUE(scaledSurfaceActive());
  // As after setScreen and the start-up, a frame has been presented since the
  // window took its size: its buffer takes the size at a swap.
  showScreen();
  EXPECT_TRUE(platform::isScaledWindow(renderer.window));
  const platform::Rect client = platform::clientRect(renderer.window);
  EXPECT_EQ(client.width(), 320);
  EXPECT_EQ(client.height(), 200);

  const int blue = rgb(0, 0, 255), red = rgb(255, 0, 0), green = rgb(0, 255, 0);
  const auto draw = [&] {
    clearScreen(blue);
    drawRect(0, 0, 320, 100, red);   // a large opaque rectangle: a scissored clear
    drawRect(300, 150, 7, 5, green);
    setPixel(0, 199, green);
  };
  const auto check = [&](const char* what) {
    struct Expected {
      int x, y, colour;
    } points[] = {{0, 0, red},       {319, 99, red},     {0, 100, blue},  {299, 150, blue},
                  {300, 150, green}, {306, 154, green},  {307, 154, blue}, {300, 155, blue},
                  {0, 199, green},   {1, 199, blue},     {319, 199, blue}};
    for (const Expected& p : points)
      EXPECT_EQ(getPixel(p.x, p.y), p.colour) << what << " at " << p.x << "," << p.y;
  };
  glGetError();
  draw();
  check("drawn");
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  // Grabbed and drawn back over a cleared surface: the same pixels.
  grabSprite(1, 0, 0, 320, 200);
  clearScreen(0);
  drawSprite(1, 0, 0);
  check("grabbed and drawn back");

  // Saved, loaded and drawn back: the same pixels.
  const std::string file = std::string(MORVANE_BINARY_DIR) + "/tmp/scaled-surface.png";
  draw();
  saveScreen(file.c_str());
  clearScreen(0);
  loadSprite(file.c_str(), 2);
  ASSERT_EQ(errorCode, 0);
  drawSprite(2, 0, 0);
  check("saved, loaded and drawn back");
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  // A presented frame leaves the surface bound: the next frame reads as drawn.
  showScreen();
  draw();
  check("after a present");
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  testing::closeTestWindow();
}

}  // namespace
}  // namespace mvn
