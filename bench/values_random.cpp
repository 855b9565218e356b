// Random numbers: one whole ISAAC batch per draw.
#include <benchmark/benchmark.h>

#include "runtime/values/random.h"

static void BM_Rnd(benchmark::State& state) {
  mvn::seedRandom(12345);
  for (auto _ : state) benchmark::DoNotOptimize(mvn::rnd(280));
}
BENCHMARK(BM_Rnd);

// The opening static draws 1,936 numbers per frame; a frame lasts 16.7 ms.
static void BM_RndStaticFrame(benchmark::State& state) {
  mvn::seedRandom(12345);
  for (auto _ : state) {
    int sum = 0;
    for (int i = 0; i < 1936; ++i) sum += mvn::rnd(2);
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_RndStaticFrame)->Unit(benchmark::kMicrosecond);
