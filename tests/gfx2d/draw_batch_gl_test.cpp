// The draw batch: a long mixed frame drawn batched covers exactly the pixels
// it covers drawn command by command.
#include <cstdint>
#include <vector>

#include "runtime/gfx2d/drawing/draw_batch.h"
#include "runtime/gfx2d/drawing/polygon.h"
#include "tests/gfx2d/gl_fixture.h"

namespace mvn {
namespace {

using testing::GlDrawing;
using testing::kKey;
using testing::rgba;

constexpr int kPicture = 20, kFrames = 21, kSmall = 22, kGrab = 23;
// Opaque in every texel (power-of-two sides): drawn unblended where blending
// cannot change it; kOpaqueFrames is cut into 8 x 8 frames.
constexpr int kOpaque = 24, kOpaqueFrames = 25;

// A fixed pseudo-random sequence, the same for both drawings.
struct Numbers {
  uint32_t state = 99;
  int next(int n) {
    state = state * 1103515245u + 12345u;
    return int((state >> 16) % uint32_t(n + 1));
  }
};

class DrawBatch : public GlDrawing {
 protected:
  void SetUp() override {
    GlDrawing::SetUp();
    makeSprite(kPicture, 90, 70, [](int x, int y) {
      return rgba(uint32_t(x * 2) | uint32_t(y * 3) << 8 | 0x300000u, (x + y) % 5 == 0 ? 128 : 255);
    });
    makeSprite(kFrames, 48, 40, [](int x, int y) {
      if ((x / 3 + y / 3) % 7 == 0) return int32_t(kKey | 0xFF000000u);
      return rgba(uint32_t(x * 5) << 16 | uint32_t(y * 6) << 8 | 0x40u);
    });
    setAnimFrameSize(kFrames, 8, 8);
    makeSprite(kSmall, 12, 12, [](int x, int y) { return rgba(uint32_t(x * 20) | uint32_t(y * 20) << 16, 200); });
    makeSprite(kOpaque, 32, 16, [](int x, int y) { return rgba(uint32_t(x * 8) | uint32_t(y * 16) << 8 | 0x900000u); });
    makeSprite(kOpaqueFrames, 64, 64, [](int x, int y) {
      return rgba(uint32_t((x * 37) ^ (y * 11)) << 16 | uint32_t(x * 4) << 8 | uint32_t(y * 4));
    });
    setAnimFrameSize(kOpaqueFrames, 8, 8);
  }

  void TearDown() override {
    setDrawBatching(true);
    setOrientation(0);
    setVirtualResolution(0, 0);
    GlDrawing::TearDown();
  }

  void fans(Numbers& n, int count) {
    for (int i = 0; i < count; ++i) {
      const float x = float(n.next(760)), y = float(n.next(440)), s = float(8 + n.next(40));
      startPoly(kPicture, 0);
      polyVector(x + s, y, 64, 0, 0xFFFFFF);
      polyVector(x, y, 0, 0, 0xFFFFFF);
      polyVector(x, y + s, 0, 64, 0xFFFFFF);
      polyVector(x + s, y + s, 64, 64, 0xFFFFFF);
      endPoly();
    }
  }

  // Every kind of command, in runs that batch and with state changes between them.
  void drawMixedFrame(int& pixelRead) {
    Numbers n;
    resetDrawingState(*r);
    drawRect(0, 0, 800, 480, 0xFFFFFF);
    fans(n, 12);
    drawRect(540, 150, 180, 180, 0);
    for (int i = 0; i < 6; ++i) drawRect(n.next(700), n.next(400), n.next(80) - 20, n.next(60) - 20, 0x808080);
    drawRect(300, 300, 40, 40, kKey);
    setAlphaMode(-0.75);
    zoomSprite(kPicture, 450, 60, 0.5, 0.5);
    drawSprite(kPicture, 10, 300);
    setAlphaMode(-1);
    for (int i = 0; i < 400; ++i) drawAnim(kFrames, n.next(40) - 5, 540 + i % 20 * 4, 150 + i / 20 * 4);
    for (int i = 0; i < 9; ++i) drawAnim(kPicture, i, 60 + i * 30, 60);  // no frame size: nothing
    pixelRead = getPixel(560, 170);  // in the middle of the frame
    stretchSprite(kPicture, 100, 100, 130, -60);
    stretchAnim(kFrames, 7, 200, 200, 33, 21);
    rotoSprite(kSmall, 400, 400, 30);
    drawAnim(kFrames, 3, 20, 20);
    rotoZoomSprite(kPicture, 600, 380, -45, 0.7);
    setAlphaMode(0.5);
    for (int i = 0; i < 10; ++i) drawSprite(kSmall, n.next(780), n.next(460));
    drawRect(100, 100, 200, 150, 0x102030);  // large, added: drawn
    setAlphaMode(0);
    drawRect(20, 200, 150, 120, 0x405060);  // large and opaque, unblended: a clear
    for (int i = 0; i < 10; ++i) drawAnim(kFrames, n.next(29), n.next(780), n.next(460));
    setAlphaMode(-1);
    setAlphaTest(0.6);
    drawSprite(kPicture, 620, 20);
    drawSprite(kOpaque, 630, 30);  // passes the test whole: drawn without it
    for (int i = 0; i < 40; ++i) drawAnim(kOpaqueFrames, n.next(63), 600 + i % 8 * 5, 60 + i / 8 * 5);
    setAlphaTest(1);
    // Opaque textures over everything drawn so far, overlapping, with filtering
    // and wrap of every kind: at alpha -1 unblended, at -0.75 and additive blended.
    for (int i = 0; i < 300; ++i) drawAnim(kOpaqueFrames, n.next(70) - 3, 300 + i % 20 * 4, 150 + i / 20 * 4);
    setSmoothing(1);
    zoomSprite(kOpaque, 520, 300, 2.7, 3.1);
    rotoZoomSprite(kOpaque, 90, 60, 33, 1.6);
    for (int i = 0; i < 12; ++i)
      rotoZoomAnim(kOpaqueFrames, n.next(63), n.next(780), n.next(460), n.next(360), 0.7 + n.next(3) * 0.6);
    stretchAnim(kOpaqueFrames, 9, 420, 330, 37, 19);
    setAlphaMode(-0.75);
    drawSprite(kOpaque, 410, 40);
    setAlphaMode(0.8);
    drawAnim(kOpaqueFrames, 5, 440, 50);
    setAlphaMode(-1);
    setSmoothing(0);
    startPoly(kOpaque, 0);  // repeats the texture past its edge
    polyVector(160, 10, 70, -10, 0xFFFFFF);
    polyVector(120, 10, -20, -10, 0xFFFFFF);
    polyVector(120, 50, -20, 30, 0xFFFFFF);
    polyVector(160, 50, 70, 30, 0xFFFFFF);
    endPoly();
    drawLine(5, 470, 300, 420, 0x00FF00);
    setPixel(790, 5, 0xFF00FF);
    startPoly(-1, 2);  // a coloured strip in two parts
    polyVector(100, 440, 0, 0, 0x0000FF);
    polyVector(110, 470, 0, 0, 0x00FF00);
    polyVector(130, 440, 0, 0, 0xFF0000);
    polyNewStrip();
    polyVector(150, 440, 0, 0, 0xFFFFFF);
    polyVector(160, 470, 0, 0, 0x00FFFF);
    polyVector(170, 440, 0, 0, 0xFFFFFF);
    endPoly();
    startPoly(kSmall, 0);  // a fan of five
    polyVector(250, 250, 0, 0, 0xFFFFFF);
    polyVector(290, 240, 12, 0, 0xFFFFFF);
    polyVector(300, 280, 12, 12, 0xFFFFFF);
    polyVector(260, 300, 0, 12, 0xFFFFFF);
    polyVector(240, 280, 6, 6, 0xFFFFFF);
    endPoly();
    grabSprite(kGrab, 530, 140, 100, 100);  // reads the surface mid-frame
    drawSprite(kGrab, 680, 360);
    setSmoothing(1);
    zoomSprite(kSmall, 700, 200, 3.3, 2.1);
    for (int i = 0; i < 51; ++i)
      rotoZoomAnim(kFrames, n.next(24), n.next(780), n.next(460), n.next(360), 1.0 + n.next(2) * 0.5);
    setSmoothing(0);
    for (int orientation = 1; orientation <= 3; ++orientation) {
      setOrientation(orientation);
      for (int i = 0; i < 20; ++i) drawAnim(kFrames, i, 40 + i * 9, 120);
      drawRect(30, 30, 20, 10, 0x00C0C0);
    }
    setOrientation(0);
    viewport(200, 100, 300, 200);
    drawRect(-50, 120, 420, 130, 0x2060A0);  // a clear held to the viewport
    fans(n, 6);
    drawAnim(kFrames, 2, 5, 5);
    setVirtualResolution(400, 240);
    for (int i = 0; i < 30; ++i) drawAnim(kFrames, i, i * 12, 200);
    drawRect(350, 10, 30, 30, 0x4080FF);
    setVirtualResolution(0, 0);
  }
};

TEST_F(DrawBatch, AMixedFrameCoversTheSamePixelsAsCommandByCommand) {
  int batchedPixel = -1, singlePixel = -2;
  setDrawBatching(true);
  drawMixedFrame(batchedPixel);
  const std::vector<uint8_t> batched = surface();

  clearScreen(0);
  freeSlot(*r, kGrab);
  setDrawBatching(false);
  drawMixedFrame(singlePixel);
  const std::vector<uint8_t> single = surface();

  EXPECT_EQ(batchedPixel, singlePixel);
  ASSERT_EQ(batched.size(), single.size());
  size_t differing = 0, first = batched.size();
  for (size_t i = 0; i < batched.size(); ++i) {
    if (batched[i] == single[i]) continue;
    ++differing;
    if (first == batched.size()) first = i;
  }
  EXPECT_EQ(differing, 0u) << "first difference at pixel (" << first / 4 % r->windowWidth << ", "
                           << r->windowHeight - 1 - first / 4 / r->windowWidth << ")";
}

TEST_F(DrawBatch, QueuedDrawsReachTheSurfaceWhenFlushedOrRead) {
  drawAnim(kFrames, 1, 100, 100);  // a frame with no key texel at its centre
  uint8_t raw[4] = {1, 2, 3, 4};
  glReadPixels(104, r->windowHeight - 1 - 104, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, raw);
  EXPECT_EQ(raw[0] | raw[1] << 8 | raw[2] << 16, 0) << "still queued";
  EXPECT_NE(getPixel(104, 104), 0);  // a read draws the queue first
}

}  // namespace
}  // namespace mvn
