// Frame-time jitter of the presenter holding 60 frames per second: every
// frame's length (the time between two presented frames) against the
// 16.667 ms period. Real time against CPU time shows how much of the hold
// is slept rather than spun.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "runtime/app/frame_loop.h"
#include "runtime/core/timer.h"
#include "tests/support/gl_window.h"

namespace {

void BM_FrameHold60(benchmark::State& state) {
  mvn::OpenGLRainbows& renderer = mvn::testing::openTestWindow(800, 480, 60);
  if (!renderer.window) {
    state.SkipWithError("no window");
    return;
  }
  const int frames = static_cast<int>(state.range(0));
  std::vector<double> lengths;
  for (auto _ : state) {
    lengths.clear();
    for (int i = 0; i < 10; ++i) mvn::showScreen();  // settle on the schedule
    for (int i = 0; i < frames; ++i) {
      mvn::showScreen();
      lengths.push_back(mvn::currentFrameTime - mvn::previousFrameTime);
    }
  }
  const double period = 1000.0 / 60;
  double sum = 0, squares = 0, worst = 0;
  for (double l : lengths) {
    sum += l;
    squares += (l - period) * (l - period);
    worst = std::max(worst, std::fabs(l - period));
  }
  state.counters["frame_ms"] = sum / lengths.size();
  state.counters["jitter_rms_ms"] = std::sqrt(squares / lengths.size());
  state.counters["jitter_max_ms"] = worst;
  state.counters["frames"] = static_cast<double>(lengths.size());
}
BENCHMARK(BM_FrameHold60)->Arg(300)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
