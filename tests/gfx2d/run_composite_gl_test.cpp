// Runs of exact quads are composited on the CPU, and only they: every
// condition of exactness, broken in turn, sends the run down the ordinary
// path, and either way the pixels are those of command-by-command drawing.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "runtime/gfx2d/drawing/draw_batch.h"
#include "runtime/gfx2d/drawing/gl_state.h"
#include "runtime/gfx2d/drawing/run_composite.h"
#include "runtime/gfx2d/sprites/slot_texels.h"
#include "tests/gfx2d/gl_fixture.h"

namespace mvn {
namespace {

using testing::GlDrawing;
using testing::rgba;

// 40 x 40 of opaque noise in 8 x 8 frames: its texture is padded to 64 x 64
// with transparent texels, so only the frames are opaque, not the texture.
constexpr int kNoise = 30;
// The same with one texel of every frame at alpha 254.
constexpr int kNoiseWithTranslucentTexels = 31;

uint32_t noise(int x, int y) { return ((uint32_t(x) * 73856093u) ^ (uint32_t(y) * 19349663u)) * 2654435761u >> 8; }

class RunComposite : public GlDrawing {
 protected:
  void SetUp() override {
    GlDrawing::SetUp();
    makeSprite(kNoise, 40, 40, [](int x, int y) { return rgba(noise(x, y)); });
    setAnimFrameSize(kNoise, 8, 8);
    makeSprite(kNoiseWithTranslucentTexels, 40, 40, [](int x, int y) {
      return rgba(noise(x, y), x % 8 == 3 && y % 8 == 5 ? 254 : 255);
    });
    setAnimFrameSize(kNoiseWithTranslucentTexels, 8, 8);
  }

  void TearDown() override {
    setDrawBatching(true);
    setVirtualResolution(0, 0);
    setOrientation(0);
    GlDrawing::TearDown();
  }

  // A background to blend over, then a static of overlapping frames, drawn
  // batched or command by command; the whole surface with alpha.
  // Frames firstFrame to firstFrame + 24, at random.
  std::vector<uint8_t> drawStatic(bool batched, int slot, const std::function<void()>& plant, int x0,
                                  int y0, int firstFrame) {
    setDrawBatching(batched);
    clearScreen(0);
    resetDrawingState(*r);
    setSmoothing(1);
    for (int i = 0; i < 8; ++i) drawRect(i * 60, i * 30, 90, 70, int(noise(i, 99) & 0xFFFFFF));
    plant();
    uint32_t state = 7;
    for (int y = 0; y < 44; ++y) {
      for (int x = 0; x < 44; ++x) {
        state = state * 1103515245u + 12345u;
        drawAnim(slot, firstFrame + int(state >> 16) % 25, x0 + 4 * x, y0 + 4 * y);
      }
    }
    setColour(1, 1, 1, 1);
    setVirtualResolution(0, 0);
    setOrientation(0);
    return surface();
  }

  // Draws the static both ways: how many runs the batched drawing composited,
  // and how many bytes differ.
  void compare(int slot, const std::function<void()>& plant, int64_t& composited, size_t& differing,
               int x0 = 100, int y0 = 80, int firstFrame = 0) {
    const int64_t before = compositedRuns();
    const std::vector<uint8_t> batched = drawStatic(true, slot, plant, x0, y0, firstFrame);
    composited = compositedRuns() - before;
    const std::vector<uint8_t> single = drawStatic(false, slot, plant, x0, y0, firstFrame);
    differing = 0;
    for (size_t i = 0; i < batched.size(); ++i) differing += batched[i] != single[i];
  }
};

TEST_F(RunComposite, AnExactStaticIsCompositedAndDrawsTheSamePixels) {
  int64_t composited = 0;
  size_t differing = 0;
  compare(kNoise, [] {}, composited, differing);
  EXPECT_EQ(composited, 1);
  EXPECT_EQ(differing, 0u);
  // Partly off the surface, clipped like the quads it stands for.
  compare(kNoise, [] {}, composited, differing, -60, 400);
  EXPECT_EQ(composited, 1);
  EXPECT_EQ(differing, 0u);
  // An alpha test whose reference the driver holds below 1 passes every texel.
  compare(kNoise, [] { setAlphaTest(254.4 / 255); }, composited, differing);
  EXPECT_EQ(composited, 1);
  EXPECT_EQ(differing, 0u);
  // Around the step where the driver's 8 bits become 1, the shortcut and the
  // test agree on every reference.
  for (int step = -10; step <= 10; ++step) {
    const double reference = (254.5 + step * 0.01) / 255;
    compare(kNoise, [reference] { setAlphaTest(reference); }, composited, differing);
    EXPECT_EQ(differing, 0u) << "reference 255 x " << reference * 255;
  }
}

TEST_F(RunComposite, EachBrokenConditionTakesTheOrdinaryPath) {
  struct Case {
    std::string condition;
    int slot;
    std::function<void()> plant;
    int firstFrame;
    int x0 = 100;  // where the static starts, in the program's pixels
  };
  const Case cases[] = {
      {"a colour that is not white", kNoise, [] { setColour(1, 0.5f, 0.75f, 1); }, 0},
      {"a tint that is not white", kNoise, [] { setTint(0xC0FFFF); }, 0},
      {"a translucent colour", kNoise, [] { setAlphaMode(-0.75); }, 0},
      {"additive blending", kNoise, [] { setAlphaMode(1); }, 0},
      {"a translucent texel", kNoiseWithTranslucentTexels, [] {}, 0},
      {"frames past the image's edge, where the texture repeats", kNoise, [] {}, 25},
      {"a scaled view", kNoise, [] { setVirtualResolution(400, 240); }, 0},
      {"a turned view", kNoise, [] { setOrientation(2); }, 0},
      // The driver holds the alpha test's reference in 8 bits: from 254.5 / 255
      // up it is 1, and opaque texels fail the test. A large rectangle (a
      // clear where the shortcuts hold) is drawn in the same state.
      {"an alpha test reference held as 1", kNoise,
       [] {
         setAlphaTest(254.6 / 255);
         drawRect(200, 150, 300, 200, 0x3070B0);
       },
       0},
      {"an alpha test reference of 0.999", kNoise,
       [] {
         setAlphaTest(0.999);
         drawRect(200, 150, 300, 200, 0x3070B0);
       },
       0},
      // A viewport larger than the driver takes is held to its largest, which
      // scales the view.
      {"a viewport wider than the driver takes", kNoise,
       [] {
         viewport(-9600, 0, 20000, 480);
         drawRect(9700, 150, 300, 200, 0x3070B0);
       },
       0, 9700},
      {"a virtual screen wider than the driver takes", kNoise,
       [] {
         setVirtualResolution(20000, 480);
         drawRect(9700, 150, 300, 200, 0x3070B0);
       },
       0, 9700},
  };
  for (const Case& c : cases) {
    int64_t composited = -1;
    size_t differing = 1;
    compare(c.slot, c.plant, composited, differing, c.x0, 80, c.firstFrame);
    EXPECT_EQ(composited, 0) << c.condition;
    EXPECT_EQ(differing, 0u) << c.condition;
  }
}

TEST_F(RunComposite, NewTexelsAndANewFrameSizeAreSeen) {
  int64_t composited = 0;
  size_t differing = 0;
  compare(kNoise, [] {}, composited, differing);
  ASSERT_EQ(composited, 1);
  // The same slot loaded anew with a translucent texel in every frame below
  // the first row of 8 x 8 frames.
  makeSprite(kNoise, 40, 40, [](int x, int y) {
    return rgba(noise(x, y), y >= 12 && x % 8 == 2 && y % 8 == 4 ? 100 : 255);
  });
  setAnimFrameSize(kNoise, 8, 8);
  compare(kNoise, [] {}, composited, differing);
  EXPECT_EQ(composited, 0);
  EXPECT_EQ(differing, 0u);
  // A new frame size is seen at the next question: of frames of 4 x 4, the
  // top 12 rows are opaque, the frame holding (2, 12) is not.
  EXPECT_FALSE(rectOpaque(*r, kNoise, 0, 8, 8, 8));
  setAnimFrameSize(kNoise, 4, 4);
  EXPECT_TRUE(rectOpaque(*r, kNoise, 0, 8, 4, 4));
  EXPECT_TRUE(rectOpaque(*r, kNoise, 36, 8, 4, 4));
  EXPECT_FALSE(rectOpaque(*r, kNoise, 0, 12, 4, 4));
}

// A program alternating frame sizes on one image has each frame looked at
// once, not the whole image at every change.
TEST_F(RunComposite, SeveralFrameSizesAreKeptApart) {
  makeSprite(kNoise, 512, 512, [](int x, int y) { return rgba(noise(x, y), x < 256 ? 255 : 128); });
  const int64_t before = framesScanned();
  for (int i = 0; i < 100; ++i) {
    setAnimFrameSize(kNoise, 16, 16);
    EXPECT_TRUE(rectOpaque(*r, kNoise, 32, 16, 16, 16));
    setAnimFrameSize(kNoise, 32, 8);
    EXPECT_FALSE(rectOpaque(*r, kNoise, 256, 8, 32, 8));
  }
  EXPECT_EQ(framesScanned() - before, 2);
}

// The kept copies share a budget: loading more than it holds drops the least
// recently drawn ones, and a slot without a copy draws the same pixels.
TEST_F(RunComposite, KeptCopiesKeepToTheirBudget) {
  constexpr int kFirst = 100, kCount = 20;  // 20 textures of 4 MB
  auto big = [](int x, int y) { return rgba(noise(x, y)); };
  makeSprite(kFirst, 1024, 1024, big);
  for (int i = 1; i < kCount; ++i) {
    rectOpaque(*r, kFirst, 0, 0, 1024, 1024);  // the first is drawn all the time
    makeSprite(kFirst + i, 1024, 1024, big);
    EXPECT_LE(r->slotTexelLedger.bytes, keptTexelBudget) << i;
  }
  EXPECT_NE(slotTexels(*r, kFirst), nullptr);
  EXPECT_EQ(slotTexels(*r, kFirst + 1), nullptr);  // drawn least recently
  EXPECT_NE(slotTexels(*r, kFirst + kCount - 1), nullptr);
  int64_t kept = 0;
  for (int i = 0; i < kCount; ++i) kept += slotTexels(*r, kFirst + i) ? 1 : 0;
  EXPECT_EQ(kept * 4 << 20, r->slotTexelLedger.bytes);
  setAnimFrameSize(kFirst + 1, 8, 8);
  int64_t composited = -1;
  size_t differing = 1;
  compare(kFirst + 1, [] {}, composited, differing);
  EXPECT_EQ(composited, 0);
  EXPECT_EQ(differing, 0u);
  // Freed slots give their share back.
  for (int i = 0; i < kCount; ++i) freeSlot(*r, kFirst + i);
  EXPECT_EQ(r->slotTexelLedger.bytes, 0);
  EXPECT_TRUE(r->slotTexelLedger.slots.empty());
}

}  // namespace
}  // namespace mvn
