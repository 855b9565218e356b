// Path search corner to corner on seeded random maps of 256, 1024 and 2048
// cells square (values 0..9 with fractions, about a fifth of the cells 0 and
// so blocked) at weights 0, 0.5 and 1: findPath beside a textbook A* on the
// same grid and costs (std::priority_queue, entries left behind by a better
// path skipped when they come up) and, on the smallest map, the literal
// planner whose answers findPath gives.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <queue>
#include <random>
#include <utility>
#include <vector>

#include "runtime/pathfind/cost_grid.h"
#include "runtime/pathfind/find_path.h"
#include "tests/pathfind/literal_planner.h"

namespace {

// The map of a size: the first seed from the size on whose map the corners
// are joined.
const mvn::RtArray<double>& benchMap(int size) {
  static std::map<int, mvn::RtArray<double>> maps;
  mvn::RtArray<double>& map = maps[size];
  if (map.data != nullptr) return map;
  map.dimension(size, size);
  for (unsigned seed = static_cast<unsigned>(size);; ++seed) {
    std::mt19937 random(seed);
    for (int s = 0; s < map.total; ++s) {
      map.data[s] = random() % 5 == 0 ? 0.0 : (1 + random() % 900) / 100.0;
    }
    mvn::RtArray<int> path;
    if (mvn::findPath(map, path, 1.0, 0, 0, size - 1, size - 1) > 0) break;
  }
  return map;
}

double weightOf(const benchmark::State& state) { return state.range(1) / 100.0; }

// The classic form: g and f per cell, the queue holding (f, cell) entries;
// an entry whose f is no longer its cell's is passed over.
int textbookAStar(const double* values, int width, int height, float w, int startX, int startY,
                  int goalX, int goalY, std::vector<int>& path) {
  std::size_t cells = static_cast<std::size_t>(width) * height;
  float largest = mvn::largestMapValue(values, cells);
  std::vector<float> cost(cells);
  for (std::size_t i = 0; i < cells; ++i) cost[i] = mvn::cellCost(values[i], largest);
  std::vector<float> g(cells, INFINITY);
  std::vector<float> f(cells, INFINITY);
  std::vector<int> parent(cells, -1);
  using Entry = std::pair<float, int>;
  std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
  int start = startX + startY * width;
  int goal = goalX + goalY * width;
  g[start] = 0.0f;
  f[start] = 0.0f;
  open.push({0.0f, start});
  bool found = false;
  while (!open.empty()) {
    Entry top = open.top();
    open.pop();
    int current = top.second;
    if (top.first != f[current]) continue;
    if (current == goal) {
      found = true;
      break;
    }
    int x = current % width;
    int y = current / width;
    const int dx[4] = {0, 1, -1, 0};
    const int dy[4] = {-1, 0, 0, 1};
    for (int k = 0; k < 4; ++k) {
      int nx = x + dx[k];
      int ny = y + dy[k];
      if (nx < 0 || nx >= width || ny < 0 || ny >= height) continue;
      int next = nx + ny * width;
      if (cost[next] < 0.0f) continue;
      float g2 = g[current] + cost[next];
      if (!(g2 < g[next])) continue;
      int h = std::abs(goalX - nx) + std::abs(goalY - ny);
      g[next] = g2;
      f[next] = g2 + w * (static_cast<float>(h) - g2);
      parent[next] = current;
      open.push({f[next], next});
    }
  }
  path.clear();
  if (!found) return 0;
  for (int cell = goal; cell >= 0; cell = parent[cell]) path.push_back(cell);
  return static_cast<int>(path.size());
}

void BM_FindPath(benchmark::State& state) {
  int size = static_cast<int>(state.range(0));
  const mvn::RtArray<double>& map = benchMap(size);
  mvn::RtArray<int> path;
  int n = 0;
  for (auto _ : state) {
    n = mvn::findPath(map, path, weightOf(state), 0, 0, size - 1, size - 1);
    benchmark::DoNotOptimize(path.data);
  }
  state.counters["cells"] = n;
}

void BM_TextbookAStar(benchmark::State& state) {
  int size = static_cast<int>(state.range(0));
  const mvn::RtArray<double>& map = benchMap(size);
  std::vector<int> path;
  int n = 0;
  for (auto _ : state) {
    n = textbookAStar(map.data, size, size, static_cast<float>(weightOf(state)), 0, 0, size - 1,
                      size - 1, path);
    benchmark::DoNotOptimize(path.data());
  }
  state.counters["cells"] = n;
}

void BM_LiteralPlanner(benchmark::State& state) {
  int size = static_cast<int>(state.range(0));
  const mvn::RtArray<double>& map = benchMap(size);
  mvn::PlannerParameters p;
  p.goalX = p.goalY = size - 1;
  p.weight = static_cast<float>(weightOf(state));
  p.width = p.height = size;
  p.map = map.data;
  int n = 0;
  for (auto _ : state) {
    mvn::literal::LiteralPlanner planner;
    planner.setup(p);
    planner.beginSearch();
    planner.search();
    n = static_cast<int>(planner.path().size());
    benchmark::DoNotOptimize(n);
  }
  state.counters["cells"] = n;
}

void sizesAndWeights(benchmark::internal::Benchmark* b) {
  for (int size : {256, 1024, 2048}) {
    for (int weight : {0, 50, 100}) b->Args({size, weight});
  }
}

}  // namespace

BENCHMARK(BM_FindPath)->Apply(sizesAndWeights)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextbookAStar)->Apply(sizesAndWeights)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiteralPlanner)->Args({256, 0})->Args({256, 50})->Args({256, 100})->Unit(benchmark::kMillisecond);
