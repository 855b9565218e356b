// For tests that draw and read pixels: the runtime's renderer with a shown
// window of a given size on the display (a virtual one under the test
// command), created the way start-up creates it.
//
//   mvn::OpenGLRainbows& r = mvn::testing::openTestWindow(320, 200);
//   ... draw ...
//   uint32_t rgba = mvn::testing::readPixel(10, 20);   // back buffer, before the swap
//   mvn::testing::closeTestWindow();                  // or leave it for the next test
//
// One window per process: a second openTestWindow resizes the first one.
#pragma once

#include <GL/gl.h>

// Windows' own gl.h stops at OpenGL 1.1; these came with 1.3.
#ifndef GL_SAMPLE_BUFFERS
#define GL_SAMPLE_BUFFERS 0x80A8
#define GL_SAMPLES 0x80A9
#endif

#include <cstdint>

#include "runtime/core/runtime_objects.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/core/timer.h"
#include "runtime/app/window_context.h"
#include "runtime/gfx2d/drawing/draw_batch.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/platform/window.h"

namespace mvn::testing {

// frameRate 0 lets swaps run without holding the frame (2 ms period).
inline OpenGLRainbows& openTestWindow(int width, int height, int frameRate = 0) {
  runtimeSettings.screenWidth = width;
  runtimeSettings.screenHeight = height;
  runtimeSettings.frameRate = frameRate;
  OpenGLRainbows* renderer = runtimeObjects.renderer;
  if (!renderer) {
    initTimer();
    renderer = new OpenGLRainbows;
    runtimeObjects.renderer = renderer;
    if (!createContext(*renderer, platform::executableModule(), width, height, 0, frameRate, 0,
                       0)) {
      delete renderer;
      runtimeObjects.renderer = nullptr;
      static OpenGLRainbows unusable;
      return unusable;  // window is null: the caller's checks fail
    }
    runtimeObjects.mainWindow = renderer->window;
  }
  applyScreenMode(*renderer, width, height, 0, 0);
  renderer->framePeriod = framePeriodFor(frameRate);
  return *renderer;
}

inline void closeTestWindow() {
  delete runtimeObjects.renderer;
  runtimeObjects.renderer = nullptr;
  runtimeObjects.mainWindow = nullptr;
}

// The back buffer's pixel at column x, row y counted from the top, as
// red | green << 8 | blue << 16 | alpha << 24.
inline uint32_t readPixel(int x, int y) {
  const OpenGLRainbows* renderer = runtimeObjects.renderer;
  const int height = renderer ? renderer->windowHeight : 0;
  uint8_t rgba[4] = {0, 0, 0, 0};
  flushDrawBatch();  // what the commands queued, drawn
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(x, height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return rgba[0] | (rgba[1] << 8) | (rgba[2] << 16) | (static_cast<uint32_t>(rgba[3]) << 24);
}

}  // namespace mvn::testing
