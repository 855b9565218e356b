// The window on the display: size and place after setScreen, frames, title,
// drawing into it.
#include "runtime/platform/window.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

#include "runtime/app/frame_loop.h"
#include "runtime/core/log.h"
#include "runtime/core/runtime_objects.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/core/timer.h"
#include "runtime/app/window_context.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "tests/app/child_process.h"
#include "tests/support/gl_window.h"
#ifndef _WIN32
#include "tests/app/x11_tools.h"
#endif

namespace mvn {
namespace {

using namespace platform;

// The window's place and size as the X server sees them.
#ifndef _WIN32
TEST(Window, SetScreenGivesExactClientAreaCentredAndPresentsFiveFrames) {
  OpenGLRainbows& renderer = testing::openTestWindow(640, 480, 60);
  ASSERT_NE(renderer.window, nullptr);
  windowTitle = "Window Size Test";  // the title focus changes restore
  setWindowText(renderer.window, windowTitle.c_str());

  const int framesBefore = frameCounter;
  setScreen(800, 480, 0);
  EXPECT_EQ(frameCounter - framesBefore, 5);

  EXPECT_EQ(runtimeSettings.screenWidth, 800);
  EXPECT_EQ(runtimeSettings.screenHeight, 480);
  EXPECT_EQ(renderer.windowWidth, 800);
  EXPECT_EQ(renderer.fullScreenActive, 0);

  const testing::XGeometry g = testing::windowGeometry("Window Size Test");
  EXPECT_EQ(g.width, 800);
  EXPECT_EQ(g.height, 480);
  // Outer rectangle centred on the work area, the client inside its frame.
  const Rect work = desktopWorkArea();
  const Rect outer = windowRect(renderer.window);
  EXPECT_EQ(outer.left, (work.width() - 800) / 2);
  EXPECT_EQ(outer.top, (work.height() - 480) / 2);
  EXPECT_EQ(outer.width(), 800 + 6 * systemMetric(kMetricBorderWidth));
  EXPECT_EQ(outer.height(), 480 + systemMetric(kMetricCaptionHeight) + 6 * systemMetric(kMetricBorderHeight));
  EXPECT_EQ(g.x, outer.left + 3 * systemMetric(kMetricBorderWidth));
  EXPECT_EQ(g.y, outer.top + systemMetric(kMetricCaptionHeight) + 3 * systemMetric(kMetricBorderHeight));
}

TEST(Window, FullScreenTakesTheDisplayModeOrFallsBackToACentredWindow) {
  OpenGLRainbows& renderer = testing::openTestWindow(640, 480);
  windowTitle = "Full Screen Test";
  setWindowText(renderer.window, windowTitle.c_str());
  const Rect desktop = desktopWorkArea();  // the virtual display has a single mode
  struct Case {
    int width, height;
    uint8_t fullScreenActive;
  } cases[] = {{desktop.width(), desktop.height(), 1}, {808, 472, 0}};
  for (const Case& c : cases) {
    const std::string logBefore = testing::fileText(logPath());
    setScreen(c.width, c.height, 1);
    EXPECT_EQ(renderer.fullScreenActive, c.fullScreenActive) << c.width;
    EXPECT_EQ(runtimeSettings.fullScreen, 1);
    const testing::XGeometry g = testing::windowGeometry("Full Screen Test");
    EXPECT_EQ(g.width, c.width);
    EXPECT_EQ(g.height, c.height);
    const bool refusedLine =
        testing::fileText(logPath()).find("No Fullscreen Mode available\n", logBefore.size()) !=
        std::string::npos;
    EXPECT_EQ(refusedLine, c.fullScreenActive == 0) << c.width;
    if (c.fullScreenActive) {
      EXPECT_EQ(g.x, 0);
      EXPECT_EQ(g.y, 0);
    }
  }
  setScreen(640, 480, 0);
  EXPECT_EQ(renderer.fullScreenActive, 0);
  EXPECT_EQ(testing::windowGeometry("Full Screen Test").width, 640);
}
#endif

TEST(Window, MultisampledContextWhenAsked) {
  initTimer();
  auto* renderer = new OpenGLRainbows;
  runtimeObjects.renderer = renderer;
  ASSERT_TRUE(createContext(*renderer, executableModule(), 200, 100, 0, 0, 1, 0));
  runtimeObjects.mainWindow = renderer->window;
  GLint sampleBuffers = 0, samples = 0;
  glGetIntegerv(GL_SAMPLE_BUFFERS, &sampleBuffers);
  glGetIntegerv(GL_SAMPLES, &samples);
  EXPECT_EQ(sampleBuffers, 1);
  EXPECT_GE(samples, 2);
  EXPECT_EQ(renderer->windowWidth, 200);
  glClearColor(1, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_EQ(testing::readPixel(3, 3) & 0xFFFFFF, 0x0000FFu);
  testing::closeTestWindow();
}

TEST(Window, DrawsIntoTheBackBuffer) {
  testing::openTestWindow(320, 200);
  glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_EQ(testing::readPixel(5, 5) & 0xFFFFFF, 0x00FF00u);
}

TEST(Window, HideWindowHidesIt) {
  OpenGLRainbows& renderer = testing::openTestWindow(320, 200);
  ASSERT_TRUE(isWindowVisible(renderer.window));
  EXPECT_TRUE(hideWindow(renderer));
  EXPECT_FALSE(isWindowVisible(renderer.window));
  enterWindowMode(renderer);
  EXPECT_TRUE(isWindowVisible(renderer.window));
}

}  // namespace
}  // namespace mvn
