// The heaviest frame of the game: the white background, 31 textured block
// polygons, the reference square with its checker and the half-size picture,
// 9 tiles and the arrows, 1,936 frames of opening static and 51 turned
// confetti frames, drawn with the frame hold off; batched and not, and part
// by part.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdint>
#include <vector>

#include "runtime/gfx2d/drawing/draw_batch.h"
#include "runtime/gfx2d/drawing/drawing.h"
#include "runtime/gfx2d/drawing/frame_state.h"
#include "runtime/gfx2d/drawing/polygon.h"
#include "runtime/gfx2d/sprites/sprite_store.h"
#include "runtime/gfx2d/sprites/sprite_memory.h"
#include "runtime/gfx2d/drawing/view.h"
#include "runtime/platform/gl_context.h"
#include "tests/support/gl_window.h"

namespace mvn {
namespace {

constexpr int kPicture = 100, kArrows = 200, kTicker = 17, kBlock = 501, kStatic = 300;

void loadPattern(int slot, int width, int height, int frameWidth, int frameHeight) {
  std::vector<int32_t> pixels(size_t(width) * height);
  uint32_t seed = uint32_t(slot) * 2654435761u;
  for (auto& p : pixels) {
    seed = seed * 1664525u + 1013904223u;
    p = int32_t((seed >> 8) | 0xFF000000u);
  }
  memToSprite(pixels.data(), int64_t(pixels.size()), slot, width, height);
  if (frameWidth > 0) setAnimFrameSize(slot, frameWidth, frameHeight);
}

// A fixed pseudo-random sequence, so that every run draws the same frames.
struct Numbers {
  uint32_t state = 12345;
  int next(int n) {
    state = state * 1103515245u + 12345u;
    return int((state >> 16) % uint32_t(n + 1));
  }
};

// The frame's parts, in drawing order; a mask picks which are drawn.
enum Part { kBackground = 1, kBlocks = 2, kReference = 4, kTiles = 8, kArrowFrames = 16, kStaticFrames = 32, kConfetti = 64 };
constexpr int kAllParts = 127;

void drawHeavyFrame(Numbers& numbers, int parts = kAllParts) {
  if (parts & kBackground) drawRect(0, 0, 800, 480, 0xFFFFFF);
  for (int i = 0; (parts & kBlocks) && i < 31; ++i) {  // falling blocks
    const int d = 1 + i % 4, s = 64 / d;
    const float x = float(i * 25 % 780), y = float(i * 37 % 460);
    startPoly(kBlock, 0);
    polyVector(x + s, y, 64, 0, 0xFFFFFF);
    polyVector(x, y, 0, 0, 0xFFFFFF);
    polyVector(x, y + s, 0, 64, 0xFFFFFF);
    polyVector(x + s, y + s, 64, 64, 0xFFFFFF);
    endPoly();
  }
  if (parts & kReference) {
    drawRect(540, 150, 180, 180, 0);
    for (int y : {150, 270}) {
      for (int x : {540, 660}) drawRect(x, y, 60, 60, 0x808080);
    }
    drawRect(600, 210, 60, 60, 0x808080);
    setAlphaMode(-0.75);
    zoomSprite(kPicture, 450, 60, 0.5, 0.5);
    setAlphaMode(-1);
  }
  for (int y = 0; (parts & kTiles) && y < 3; ++y) {
    for (int x = 0; x < 3; ++x) drawAnim(kPicture, x + 3 * y, 120 * x + 60, 120 * y + 60);
  }
  for (int i = 0; (parts & kArrowFrames) && i < 9; ++i) {  // arrows: 36 frames
    const int c = 1 + i % 3, r = 1 + i / 3;
    drawAnim(kArrows, 0, 120 * c - 30, 0);
    drawAnim(kArrows, 3, 0, 120 * r - 30);
    drawAnim(kArrows, 1, 420, 120 * r - 30);
    drawAnim(kArrows, 2, 120 * c - 30, 420);
  }
  for (int y = 150; (parts & kStaticFrames) && y <= 322; y += 4) {  // opening static
    for (int x = 540; x <= 712; x += 4) drawAnim(kStatic, numbers.next(280), x, y);
  }
  if (parts & kConfetti) {
    setSmoothing(0);
    for (int i = 0; i < 51; ++i) {
      rotoZoomAnim(kTicker, numbers.next(24), numbers.next(800), numbers.next(480), numbers.next(360), 1.0);
    }
    setSmoothing(1);
  }
}

// CPU time of the whole process (the rasteriser's threads included), in ms.
double processCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

void reportFrames(benchmark::State& state, double cpuStart) {
  const double frames = double(state.iterations());
  state.counters["frames_per_second"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
  state.counters["process_cpu_ms_per_frame"] = (processCpuMs() - cpuStart) / frames;
}

OpenGLRainbows& preparedRenderer() {
  OpenGLRainbows& r = testing::openTestWindow(800, 480);
  if (!r.window) return r;
  platform::swapBuffers(r.window);  // the drawable takes the window's size
  make2D(r);
  loadPattern(kPicture, 360, 360, 120, 120);
  loadPattern(kArrows, 240, 120, 60, 60);
  loadPattern(kTicker, 60, 60, 12, 12);
  loadPattern(kBlock, 64, 64, 0, 0);
  loadPattern(kStatic, 160, 120, 8, 8);
  return r;
}

// The drawing alone, finished by the rasteriser; argument 1 batched, 0 not.
void BM_HeavyFrameDrawing(benchmark::State& state) {
  OpenGLRainbows& r = preparedRenderer();
  if (!r.window) {
    state.SkipWithError("no window");
    return;
  }
  setDrawBatching(state.range(0) != 0);
  Numbers numbers;
  const double cpuStart = processCpuMs();
  for (auto _ : state) {
    drawHeavyFrame(numbers);
    flushDrawBatch();
    glFinish();
    resetDrawingState(r);
  }
  reportFrames(state, cpuStart);
  setDrawBatching(true);
}
BENCHMARK(BM_HeavyFrameDrawing)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// One part of the frame at a time (the argument is its bit), batched: where the time goes.
void BM_FramePart(benchmark::State& state) {
  OpenGLRainbows& r = preparedRenderer();
  if (!r.window) {
    state.SkipWithError("no window");
    return;
  }
  Numbers numbers;
  const double cpuStart = processCpuMs();
  for (auto _ : state) {
    drawHeavyFrame(numbers, int(state.range(0)));
    flushDrawBatch();
    glFinish();
    resetDrawingState(r);
  }
  reportFrames(state, cpuStart);
}
BENCHMARK(BM_FramePart)->Arg(0)->Arg(kBackground)->Arg(kBlocks)->Arg(kReference)->Arg(kTiles)
    ->Arg(kArrowFrames)->Arg(kStaticFrames)->Arg(kConfetti)->Unit(benchmark::kMillisecond)->UseRealTime();

// Drawing, buffer swap and the per-frame reset, without the frame hold.
void BM_HeavyFramePresented(benchmark::State& state) {
  OpenGLRainbows& r = preparedRenderer();
  if (!r.window) {
    state.SkipWithError("no window");
    return;
  }
  Numbers numbers;
  const double cpuStart = processCpuMs();
  for (auto _ : state) {
    drawHeavyFrame(numbers);
    flushDrawBatch();
    platform::swapBuffers(r.window);
    resetDrawingState(r);
  }
  reportFrames(state, cpuStart);
}
BENCHMARK(BM_HeavyFramePresented)->Unit(benchmark::kMillisecond)->UseRealTime();

// The commands' own cost: 1,936 animation frames issued, no rasteriser wait.
void BM_StaticFramesIssued(benchmark::State& state) {
  OpenGLRainbows& r = preparedRenderer();
  if (!r.window) {
    state.SkipWithError("no window");
    return;
  }
  Numbers numbers;
  for (auto _ : state) {
    for (int i = 0; i < 1936; ++i) drawAnim(kStatic, numbers.next(280), 540 + i % 44 * 4, 150 + i / 44 * 4);
    flushDrawBatch();
    glFlush();
  }
  glFinish();
  state.SetItemsProcessed(state.iterations() * 1936);
}
BENCHMARK(BM_StaticFramesIssued)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace mvn
