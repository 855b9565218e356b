// A window with a fresh 2D drawing state for each test, and helpers that make
// sprites and read the back buffer in bulk.
#pragma once

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "runtime/gfx2d/drawing/background.h"
#include "runtime/gfx2d/drawing/drawing.h"
#include "runtime/gfx2d/drawing/frame_state.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/sprites/sprite_memory.h"
#include "runtime/gfx2d/sprites/sprite_store.h"
#include "runtime/gfx2d/drawing/texture_binding.h"
#include "runtime/gfx2d/drawing/view.h"
#include "runtime/values/errors.h"
#include "runtime/platform/gl_context.h"
#include "tests/support/gl_window.h"

namespace mvn::testing {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr int kKey = 0x8000FF;

// Packed pixel with alpha, as memToSprite takes it.
constexpr int32_t rgba(uint32_t colour, uint32_t alpha = 255) {
  return int32_t((colour & 0xFFFFFF) | alpha << 24);
}

class GlDrawing : public ::testing::Test {
 protected:
  void SetUp() override { open(800, 480); }

  void open(int width, int height) {
    r = &openTestWindow(width, height);
    ASSERT_NE(r->window, nullptr);
    // The drawable takes a new window size at the next swap.
    platform::swapBuffers(r->window);
    setVirtualResolution(0, 0);
    setOrientation(0);
    setTransparency(kKey);
    make2D(*r);
    setSmoothing(0);
    clearScreen(0);
    errorCode = 0;
  }

  void TearDown() override {
    if (r) freeAllSlots(*r);
  }

  // Loads a width x height sprite whose pixel (x, y) is pixel(x, y).
  void makeSprite(int slot, int width, int height, const std::function<int32_t(int, int)>& pixel) {
    std::vector<int32_t> pixels(size_t(width) * height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) pixels[size_t(y) * width + x] = pixel(x, y);
    }
    ASSERT_EQ(memToSprite(pixels.data(), int64_t(pixels.size()), slot, width, height), 1);
  }

  // The whole back buffer, alpha included, rows from the bottom, once the
  // queued commands are drawn.
  std::vector<uint8_t> surface() const {
    flushDrawBatch();
    std::vector<uint8_t> bytes(size_t(r->windowWidth) * r->windowHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, r->windowWidth, r->windowHeight, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    return bytes;
  }

  // The back buffer's colours (no alpha) of a rectangle, rows from the top.
  struct Region {
    int x, y, width, height;
    std::vector<uint32_t> colours;
    uint32_t at(int px, int py) const { return colours[size_t(py - y) * width + (px - x)]; }
  };

  Region read(int x, int y, int width, int height) const {
    std::vector<uint8_t> bytes(size_t(width) * height * 4);
    flushDrawBatch();  // what the commands queued, drawn
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, r->windowHeight - y - height, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    Region region{x, y, width, height, std::vector<uint32_t>(size_t(width) * height)};
    for (int row = 0; row < height; ++row) {
      for (int col = 0; col < width; ++col) {
        const uint8_t* p = &bytes[(size_t(height - 1 - row) * width + col) * 4];
        region.colours[size_t(row) * width + col] = p[0] | p[1] << 8 | p[2] << 16;
      }
    }
    return region;
  }

  uint32_t colourAt(int x, int y) const { return readPixel(x, y) & 0xFFFFFF; }

  // The lit (non-black) pixels of a rectangle as a bounding box; false when none.
  bool litBox(int x, int y, int width, int height, int& left, int& top, int& right, int& bottom) const {
    const Region region = read(x, y, width, height);
    left = top = 1 << 30;
    right = bottom = -1;
    for (int py = y; py < y + height; ++py) {
      for (int px = x; px < x + width; ++px) {
        if (region.at(px, py) == kBlack) continue;
        left = std::min(left, px), right = std::max(right, px);
        top = std::min(top, py), bottom = std::max(bottom, py);
      }
    }
    return right >= 0;
  }

  OpenGLRainbows* r = nullptr;
};

}  // namespace mvn::testing
