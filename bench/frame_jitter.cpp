// Frame-time jitter of the presenter holding 60 frames per second: every
// frame's length (the time between two presented frames) against the
// 16.667 ms period: mean, root mean square and worst deviation, the 99th
// percentiles, and the process's CPU time per frame (an empty frame: what the
// hold itself costs).
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "runtime/app/frame_loop.h"
#include "runtime/core/timer.h"
#include "tests/support/gl_window.h"

namespace {

double processCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

void BM_FrameHold60(benchmark::State& state) {
  mvn::OpenGLRainbows& renderer = mvn::testing::openTestWindow(800, 480, 60);
  if (!renderer.window) {
    state.SkipWithError("no window");
    return;
  }
  const int frames = static_cast<int>(state.range(0));
  std::vector<double> lengths;
  double cpuMs = 0;
  for (auto _ : state) {
    lengths.clear();
    for (int i = 0; i < 10; ++i) mvn::showScreen();  // settle on the schedule
    const double cpuStart = processCpuMs();
    for (int i = 0; i < frames; ++i) {
      mvn::showScreen();
      lengths.push_back(mvn::currentFrameTime - mvn::previousFrameTime);
    }
    cpuMs = processCpuMs() - cpuStart;
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
  // The 99th percentile of the frame length itself, and of its distance from the period.
  std::vector<double> sorted = lengths, off;
  for (double l : lengths) off.push_back(std::fabs(l - period));
  std::sort(sorted.begin(), sorted.end());
  std::sort(off.begin(), off.end());
  const size_t p99 = std::min(sorted.size() - 1, size_t(0.99 * double(sorted.size())));
  state.counters["frame_p99_ms"] = sorted[p99];
  state.counters["jitter_p99_ms"] = off[p99];
  state.counters["cpu_ms_per_frame"] = cpuMs / double(lengths.size());
  state.counters["frames"] = static_cast<double>(lengths.size());
}
BENCHMARK(BM_FrameHold60)->Arg(300)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
