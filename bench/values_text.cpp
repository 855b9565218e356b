// Text values: growth by appending, number texts, joining.
#include <benchmark/benchmark.h>

#include "runtime/values/rt_string.h"
#include "runtime/values/text_format.h"

static void BM_AppendCharacters(benchmark::State& state) {
  for (auto _ : state) {
    mvn::RtString s;
    for (int i = 0; i < state.range(0); ++i) s.append('x');
    benchmark::DoNotOptimize(s.buffer);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AppendCharacters)->Arg(16)->Arg(1024);

static void BM_PictureName(benchmark::State& state) {
  int n = 1;
  for (auto _ : state) {
    mvn::RtString name = mvn::RtString(n) + ".jpg";
    benchmark::DoNotOptimize(name.buffer);
    n = n % 15 + 1;
  }
}
BENCHMARK(BM_PictureName);

static void BM_DoubleText(benchmark::State& state) {
  double v = 1.0 / 3;
  for (auto _ : state) {
    mvn::RtString text(v);
    benchmark::DoNotOptimize(text.buffer);
    v += 0.001;
  }
}
BENCHMARK(BM_DoubleText);

static void BM_FormatFixed(benchmark::State& state) {
  for (auto _ : state) {
    mvn::RtString text = mvn::formatFixed(8, 3, 3.14159);
    benchmark::DoNotOptimize(text.buffer);
  }
}
BENCHMARK(BM_FormatFixed);
