#include "wayfarer.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "canvas.h"
#include "image_io.h"
#include "random.h"
#include "stroke_font.h"
#include "wav_io.h"

namespace mediagen {
namespace {

constexpr int kTile = 32;
constexpr float kPi = 3.14159265358979f;

// Value noise that repeats every `period` lattice cells, so that a tile
// drawn with it joins its neighbours of the same kind without a seam.
float tiledNoise(float x, float y, int period, uint32_t seed) {
  const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
  const float fx = x - ix, fy = y - iy;
  const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  auto at = [&](int i, int j) {
    return latticeValue(((i % period) + period) % period, ((j % period) + period) % period, seed);
  };
  const float top = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * sx;
  const float bottom = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * sx;
  return top + (bottom - top) * sy;
}

// Two octaves of tiled noise over one tile, in 0..1.
float tileNoise(float x, float y, uint32_t seed) {
  return 0.65f * tiledNoise(x / 8, y / 8, kTile / 8, seed) +
         0.35f * tiledNoise(x / 4, y / 4, kTile / 4, seed + 7);
}

// A random float between lo and hi.
float between(Random& random, double lo, double hi) { return static_cast<float>(random.range(lo, hi)); }

auto cell(int frame) { return rect(frame * kTile, 0, (frame + 1) * kTile, kTile); }

void grass(Canvas& c, int frame, uint32_t seed) {
  const float left = frame * kTile;
  c.fill(cell(frame), [=](float x, float y) {
    return mix(rgb(0x4E8A3A), rgb(0x6FAE4C), tileNoise(x - left, y, seed));
  });
  Random random(seed);
  for (int i = 0; i < 14; ++i) {  // blades, kept off the edges
    const float x = left + between(random, 3, 29), y = between(random, 5, 29);
    c.fill(segment({x, y}, {x + between(random, -1.5, 1.5), y - between(random, 2.5, 4.5)}, 0.9f),
           rgb(random.below(2) ? 0x86C45E : 0x3F7430, 0.8f));
  }
}

void meadow(Canvas& c, int frame) {
  grass(c, frame, 11);
  Random random(12);
  const uint32_t petals[] = {0xFFF4D6, 0xF6D74A, 0xE79AC0};
  for (int i = 0; i < 7; ++i) {
    const float x = frame * kTile + between(random, 5, 27), y = between(random, 5, 27);
    c.fill(circle(x, y, 1.8f), rgb(petals[random.below(3)]));
    c.fill(circle(x, y, 0.7f), rgb(0xC4862A));
  }
}

void road(Canvas& c, int frame) {
  const float left = frame * kTile;
  c.fill(cell(frame), [=](float x, float y) {
    return mix(rgb(0xC9A66B), rgb(0xDDBF86), tileNoise(x - left, y, 21));
  });
  Random random(22);
  for (int i = 0; i < 9; ++i) {
    const float x = left + between(random, 4, 28), y = between(random, 4, 28), r = between(random, 0.8, 1.6);
    c.fill(circle(x + 0.4f, y + 0.5f, r), rgb(0x8F7346, 0.6f));
    c.fill(circle(x, y, r), rgb(0xB9A488));
  }
}

void water(Canvas& c, int frame) {
  const float left = frame * kTile;
  c.fill(cell(frame), [=](float x, float y) {
    return mix(rgb(0x1F5E9C), rgb(0x3C86C4), tileNoise(x - left, y, 31));
  });
  Random random(32);
  for (int i = 0; i < 4; ++i) {  // short crests
    const float x = left + between(random, 5, 22), y = between(random, 6, 28);
    c.fill(segment({x, y}, {x + 3, y - 1.2f}, 1.1f), rgb(0xA9D3F2, 0.75f));
    c.fill(segment({x + 3, y - 1.2f}, {x + 6, y}, 1.1f), rgb(0xA9D3F2, 0.75f));
  }
}

void tree(Canvas& c, int frame) {
  grass(c, frame, 41);
  const float cx = frame * kTile + 16;
  c.fill(ellipse(cx + 3, 25, 12, 5), rgb(0x1E3A16, 0.45f));
  c.fill(rect(cx - 2, 18, cx + 2, 27), rgb(0x6B4424));
  c.fill(circle(cx, 13, 11.5f), rgb(0x23501E));
  c.fill(circle(cx, 13, 10.5f), [=](float x, float y) {
    const float light = clamp01(1 - std::hypot(x - (cx - 4), y - 8) / 15);
    return mix(rgb(0x2F6B28), rgb(0x6BB04A), light);
  });
  Random random(42);
  for (int i = 0; i < 6; ++i) {
    const float a = between(random, 0, 2 * kPi), d = between(random, 2, 7);
    c.fill(circle(cx + d * std::cos(a), 13 + d * std::sin(a), 2.2f), rgb(0x3E8434, 0.7f));
  }
}

void rock(Canvas& c, int frame) {
  grass(c, frame, 51);
  const float cx = frame * kTile + 16;
  c.fill(ellipse(cx + 2, 24, 13, 5), rgb(0x1E3A16, 0.45f));
  const std::vector<Point> outline = {{cx - 12, 23}, {cx - 10, 12}, {cx - 3, 6}, {cx + 6, 7},
                                      {cx + 12, 14}, {cx + 12, 23}, {cx + 4, 26}, {cx - 6, 26}};
  c.fill(polygon(outline), rgb(0x4D4A48));
  std::vector<Point> inner;
  for (const Point& p : outline) inner.push_back({cx + (p.x - cx) * 0.88f, 16 + (p.y - 16) * 0.86f});
  c.fill(polygon(inner), [=](float x, float y) {
    const float light = clamp01(1 - std::hypot(x - (cx - 5), y - 9) / 18);
    return mix(rgb(0x77726C), rgb(0xC2BCB2), light);
  });
  c.fill(segment({cx - 1, 11}, {cx + 3, 19}, 0.8f), rgb(0x57524D, 0.8f));
}

// A dot of the planned path, on a transparent cell.
void pathDot(Canvas& c, int frame) {
  const float cx = frame * kTile + 16;
  c.fill(circle(cx + 0.6f, 16.8f, 4.6f), rgb(0x000000, 0.35f));
  c.fill(circle(cx, 16, 4.2f), rgb(0x5A3A0C));
  c.fill(circle(cx, 16, 3), [=](float x, float y) {
    return mix(rgb(0xFFF1A8), rgb(0xE2A21E), clamp01((y - 13) / 6));
  });
}

// The goal's flag, on a transparent cell.
void flag(Canvas& c, int frame) {
  const float left = frame * kTile;
  c.fill(ellipse(left + 12, 27, 6, 2.2f), rgb(0x000000, 0.35f));
  c.fill(rect(left + 10, 4, left + 12, 27), rgb(0x3B2A1A));
  c.fill(polygon({{left + 12, 5}, {left + 26, 10}, {left + 12, 15}}), rgb(0x7A1010));
  c.fill(polygon({{left + 12, 6.3f}, {left + 23.5f, 10}, {left + 12, 13.7f}}), [=](float, float y) {
    return mix(rgb(0xFF5A4A), rgb(0xC8231C), clamp01((y - 6) / 8));
  });
  c.fill(circle(left + 11, 4, 1.6f), rgb(0xF3D36B));
}

bool writeTiles(const std::string& dir) {
  Canvas c(8 * kTile, kTile, 4);
  grass(c, 0, 1);
  meadow(c, 1);
  road(c, 2);
  water(c, 3);
  tree(c, 4);
  rock(c, 5);
  pathDot(c, 6);
  flag(c, 7);
  return writePng(dir + "/tiles.png", c.width(), c.height(), c.rgba8());
}

// The walker, seen from above and a little from the front.
bool writeWalker(const std::string& dir) {
  Canvas c(kTile, kTile, 4);
  c.fill(ellipse(16, 28, 9, 3), rgb(0x000000, 0.35f));
  c.fill(roundRect(12.5f, 22, 15.5f, 29, 1.2f), rgb(0x3A2A1E));  // legs
  c.fill(roundRect(16.5f, 22, 19.5f, 29, 1.2f), rgb(0x3A2A1E));
  c.fill(roundRect(8.5f, 12, 23.5f, 25, 5), rgb(0x132A5C));  // cloak
  c.fill(roundRect(9.5f, 13, 22.5f, 24, 4.5f), [](float x, float) {
    return mix(rgb(0x3F6FD0), rgb(0x1F3E8E), clamp01((x - 9) / 14));
  });
  c.fill(rect(9.5f, 19, 22.5f, 20.5f), rgb(0x7A4E22));  // belt
  c.fill(circle(16, 8.5f, 6), rgb(0x5A3A22));
  c.fill(circle(16, 9, 5), [](float x, float y) {
    return mix(rgb(0xF8D4B0), rgb(0xD9A57C), clamp01((x - 12 + y - 5) / 12));
  });
  c.fill(ellipse(16, 4.8f, 5.6f, 2.6f), rgb(0x7A1E12));  // cap
  c.fill(circle(14, 9.5f, 0.8f), rgb(0x2A1A10));
  c.fill(circle(18, 9.5f, 0.8f), rgb(0x2A1A10));
  return writePng(dir + "/walker.png", c.width(), c.height(), c.rgba8());
}

// The font: golden strokes with a dark brown edge.
bool writeFont(const std::string& dir) {
  return writeStrokeFont(dir + "/wayfont.png", {rgb(0x2A1606), rgb(0xFFF0A0), rgb(0xE49A1A)});
}

// A footstep: a low thud falling in pitch under a short crunch of filtered
// noise, 90 ms of 16-bit mono at 22050 Hz.
bool writeStep(const std::string& dir) {
  const int rate = 22050, frames = rate * 90 / 1000;
  Random random(61);
  std::vector<float> samples(frames);
  float phase = 0, low = 0;
  for (int i = 0; i < frames; ++i) {
    const float t = float(i) / rate;
    phase += 2 * kPi * (70 + 80 * std::exp(-t / 0.02f)) / rate;
    low += 0.25f * (float(between(random, -1, 1)) - low);
    const float attack = std::min(1.f, t / 0.002f);
    samples[i] = attack * (std::sin(phase) * std::exp(-t / 0.03f) + 1.6f * low * std::exp(-t / 0.015f));
  }
  return writeWav(dir + "/step.wav", rate, samples);
}

}  // namespace

bool makeWayfarerMedia(const std::string& dir) {
  bool ok = writeTiles(dir);
  ok &= writeWalker(dir);
  ok &= writeFont(dir);
  ok &= writeStep(dir);
  return ok;
}

}  // namespace mediagen
