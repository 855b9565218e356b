// Arrays: checked element access and the record arrays' push and remove.
#include <benchmark/benchmark.h>

#include "runtime/values/rt_array.h"

namespace {
struct Tstrip {
  virtual void step() {}
  double x, y;
  int colour;
};
}  // namespace

// board[x][y] = board[x][y + 1] over the whole 10 by 10 board: two tests each.
static void BM_BoardAccess(benchmark::State& state) {
  mvn::RtArray<int> board;
  board.dimension(10, 10);
  for (auto _ : state) {
    for (int y = 0; y < 9; ++y) {
      for (int x = 0; x < 10; ++x) board(x, y) = board(x, y + 1) + 1;
    }
    benchmark::DoNotOptimize(board.data);
  }
  state.SetItemsProcessed(state.iterations() * 90);
}
BENCHMARK(BM_BoardAccess);

// 51 strips pushed, then removed from the front one by one.
static void BM_PushAndRemoveFront(benchmark::State& state) {
  mvn::RtArray<Tstrip> tapes;
  Tstrip strip;
  strip.x = strip.y = 0;
  strip.colour = 0;
  for (auto _ : state) {
    for (int i = 0; i < 51; ++i) {
      strip.colour = i;
      tapes.push(strip);
    }
    while (tapes.size1 > 0) tapes.remove(0);
    benchmark::DoNotOptimize(tapes.data);
  }
}
BENCHMARK(BM_PushAndRemoveFront)->Unit(benchmark::kMicrosecond);
