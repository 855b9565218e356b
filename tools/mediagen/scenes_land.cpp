// Landscapes: each has its horizon, its light and a few objects placed so
// that every ninth of the picture shows something of its own.
#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

#include "scene_kit.h"
#include "scenes.h"

namespace mediagen {
namespace {

constexpr float kTau = 6.2831853f;

// A crescent: the disc at (cx, cy) less the disc shifted by (dx, dy).
void crescent(Canvas& c, float cx, float cy, float r, float dx, float dy, Color colour) {
  glow(c, cx, cy, r * 2.6f, withAlpha(colour, 0.25f));
  c.fill(shape(Box{cx - r, cy - r, cx + r, cy + r},
               [=](float x, float y) {
                 return std::hypot(x - cx, y - cy) <= r && std::hypot(x - cx - dx, y - cy - dy) > r;
               }),
         colour);
}

void sun(Canvas& c, float cx, float cy, float r, Color core, Color rim, Color halo) {
  glow(c, cx, cy, r * 4, halo);
  c.fill(circle(cx, cy, r), [=](float, float y) { return mix(core, rim, clamp01((y - cy + r) / (2 * r))); });
}

void sunRays(Canvas& c, float cx, float cy, float length, int count, Color colour, float turn) {
  for (int i = 0; i < count; ++i) {
    float a = turn + kTau * i / count, w = kTau / count * 0.22f;
    c.fill(polygon({{cx, cy},
                    {cx + length * std::cos(a - w), cy + length * std::sin(a - w)},
                    {cx + length * std::cos(a + w), cy + length * std::sin(a + w)}}),
           [=](float x, float y) {
             float d = std::hypot(x - cx, y - cy) / length;
             return withAlpha(colour, colour.a * (1 - d));
           });
  }
}

void reeds(Canvas& c, float x0, float x1, float baseY, float height, uint32_t seed) {
  Random rng(seed);
  for (float x = x0; x < x1; x += static_cast<float>(rng.range(3, 7))) {
    float h = height * static_cast<float>(rng.range(0.6, 1.0));
    float lean = static_cast<float>(rng.range(-8, 8));
    Point top{x + lean, baseY - h};
    c.fill(segment({x, baseY}, top, 1.3f), rgb(0x1E1A24));
    if (rng.uniform() < 0.45) c.fill(ellipse(top.x + lean * 0.04f, top.y + 6, 2.2f, 6), rgb(0x3A2418));
  }
}

void smoke(Canvas& c, float x, float y, float rise, uint32_t seed) {
  Random rng(seed);
  for (int i = 0; i < 9; ++i) {
    float t = i / 8.f;
    float px = x + 14 * t * t + static_cast<float>(rng.range(-2, 2)), py = y - rise * t;
    c.fill(circle(px, py, 3 + 7 * t), rgb(0xE8EAF0, 0.45f * (1 - t * 0.6f)));
  }
}

}  // namespace

void sunsetLake(Canvas& c) {
  const float horizon = 214;
  verticalRamp(c, 0, 0, 360, horizon, Ramp{{0, rgb(0x201645)}, {0.42f, rgb(0x6E2C6C)},
                                         {0.74f, rgb(0xDB5F58)}, {1, rgb(0xFFB35E)}});
  crescent(c, 316, 44, 12, 5, -4, rgb(0xF4ECD0));
  stars(c, 180, 5, 360, 70, 25, 11);
  sun(c, 92, 176, 25, rgb(0xFFF4B8), rgb(0xFFB04A), rgb(0xFFD27A, 0.6f));
  cloud(c, 175, 66, 120, rgb(0xE07FA0, 0.75f), 3);
  cloud(c, 48, 42, 70, rgb(0x8E5A9C, 0.7f), 4);
  cloud(c, 270, 112, 90, rgb(0xF29A7C, 0.8f), 5);
  for (auto [x, y, s] : {std::tuple{196.f, 128.f, 12.f}, {214.f, 118.f, 9.f}, {230.f, 134.f, 10.f}})
    bird(c, x, y, s, rgb(0x2A1830));
  ridge(c, 206, 52, 0.011f, 21, rgb(0x5A3F7A), rgb(0x3A2C5C));
  ridge(c, 214, 22, 0.02f, 22, rgb(0x3C3058), rgb(0x2C2446));
  reflect(c, horizon, 0, 360, 360, rgb(0x2A2050), 0.28f, 23);
  // The far shore on the right with a house and pines.
  auto shoreTop = [](float x) { return 204 + 0.0012f * (x - 360) * (x - 360) - 0.06f * (x - 360); };
  // The land runs out into the lake along a slanting bank.
  auto bank = [](float x) { return 232 + (x - 215) * 0.95f; };
  c.fill(shape(Box{215, 200, 360, 360}, [&](float x, float y) { return y >= shoreTop(x) && y <= bank(x); }),
         [&](float x, float y) {
           float n = fbm(x * 0.06f, y * 0.06f, 25);
           Color grass = mix(rgb(0x3A5A36), rgb(0x1C3020), clamp01((y - shoreTop(x)) / 100));
           return scaled(bank(x) - y < 5 ? rgb(0x6A5A3A) : grass, 0.85f + 0.3f * n);
         });
  house(c, 280, 228, 30, 18, rgb(0x7A4E3A), rgb(0x40222A), rgb(0xFFD36A));
  glow(c, 289, 219, 14, rgb(0xFFD36A, 0.5f));
  for (auto [x, h] : {std::pair{238.f, 40.f}, {256.f, 52.f}, {325.f, 62.f}, {345.f, 48.f}})
    pine(c, x, shoreTop(x) + 10, h, rgb(0x1E3A26));
  boat(c, 170, 292, 16, rgb(0x3A2418), rgb(0xE9D8C0));
  reeds(c, 0, 90, 360, 80, 24);
}

void nightVillage(Canvas& c) {
  verticalRamp(c, 0, 0, 360, 240, Ramp{{0, rgb(0x070A22)}, {0.6f, rgb(0x142A5C)}, {1, rgb(0x2E5A88)}});
  // The Milky Way across the upper left, a shooting star and the moon's glow.
  c.fill(rect(0, 0, 240, 200), [](float x, float y) {
    float d = (x + y - 170) / 55;
    float n = fbm(x * 0.04f, y * 0.04f, 36, 5);
    return rgb(0xB8A8E8, 0.55f * std::exp(-d * d) * smooth(0.3f, 0.75f, n));
  });
  stars(c, 0, 0, 360, 200, 170, 31);
  glow(c, 284, 72, 170, rgb(0x8FB4F0, 0.35f));
  c.fill(polygon({{28, 30}, {96, 62}, {95, 64}}), [](float x, float) { return rgb(0xFFFFFF, clamp01((x - 28) / 68)); });
  glow(c, 96, 63, 6, rgb(0xFFFFFF, 0.9f));
  c.fill(circle(284, 72, 30), [](float x, float y) {
    float n = fbm(x * 0.12f, y * 0.12f, 32);
    return mix(rgb(0xFFF8E0), rgb(0xD8D2C0), smooth(0.45f, 0.7f, n));
  });
  // Mountains with snow on the peaks.
  auto peak = [](float x) { return 205 - 95 * fbm(x * 0.009f + 3.1f, 0.3f, 33, 5); };
  c.fill(below(0, 360, 90, 360, peak), [&](float x, float y) {
    float depth = y - peak(x);
    float moonlight = clamp01(1 - std::fabs(x - 284) / 220);
    if (depth < 12 - (peak(x) - 110) * 0.25f) return mix(rgb(0xA8B4D0), rgb(0xF0F4FF), moonlight);
    return mix(mix(rgb(0x2A2E5E), rgb(0x4A6A98), moonlight), rgb(0x1C2846), clamp01(depth / 80));
  });
  ridge(c, 262, 46, 0.012f, 34, rgb(0x1E3E3C), rgb(0x0C1A1C));
  // The village on the hillside.
  Color lit = rgb(0xFFCF5E);
  float xs[] = {28, 66, 104, 196, 232};
  float ws[] = {30, 26, 34, 28, 32};
  for (int i = 0; i < 5; ++i) {
    float base = 262 - 18 * std::sin(xs[i] * 0.015f);
    house(c, xs[i], base, ws[i], 20, rgb(0x54485E), rgb(0x2A2234), lit);
    glow(c, xs[i] + ws[i] / 2, base - 12, 20, rgb(0xFFCF5E, 0.25f));
  }
  // The church with its spire.
  c.fill(rect(146, 200, 170, 252), rgb(0x5E5468));
  c.fill(polygon({{143, 201}, {158, 150}, {173, 201}}), rgb(0x2A2234));
  c.fill(circle(158, 214, 5), lit);
  c.fill(rect(170, 226, 190, 252), rgb(0x4E4458));
  // Foreground, road and lamp.
  auto ground = [](float x) { return 300 + 10 * std::sin(x * 0.02f); };
  c.fill(below(0, 360, 290, 360, ground), [](float x, float y) {
    return mix(rgb(0x0C1620), rgb(0x24402E), clamp01(x / 360) * clamp01((380 - y) / 80));
  });
  // A pond holding the moon, bottom left.
  c.fill(ellipse(150, 336, 62, 14), [](float x, float y) {
    return mix(rgb(0x3A5A8A), rgb(0x1A2A4A), clamp01(std::fabs(x - 150) / 62 + (y - 322) / 40));
  });
  c.fill(ellipse(164, 334, 8, 3), rgb(0xFFF4D0, 0.8f));
  c.fill(polygon({{240, 360}, {300, 360}, {262, 300}, {222, 262}, {212, 262}, {236, 300}}),
         [](float, float y) { return mix(rgb(0x2C2A30), rgb(0x4A4650), clamp01((y - 262) / 98)); });
  c.fill(rect(322, 250, 326, 350), rgb(0x111118));
  glow(c, 324, 248, 40, rgb(0xFFD88A, 0.55f));
  c.fill(circle(324, 248, 5), rgb(0xFFF0C0));
  for (float x : {8.f, 30.f, 52.f, 74.f, 96.f}) c.fill(rect(x, 318, x + 5, 350), rgb(0x5A4232));
  c.fill(rect(0, 324, 110, 328), rgb(0x5A4232));
  c.fill(rect(0, 338, 110, 342), rgb(0x5A4232));
  Random rng(35);
  for (int i = 0; i < 12; ++i) {
    float x = static_cast<float>(rng.range(10, 200)), y = static_cast<float>(rng.range(300, 355));
    glow(c, x, y, 6, rgb(0xD8FF7A, 0.7f));
  }
  for (auto [x, h] : {std::pair{352.f, 90.f}, {296.f, 60.f}}) pine(c, x, 340, h, rgb(0x0A1A12));
}

void lighthouseCoast(Canvas& c) {
  const float horizon = 176;
  verticalRamp(c, 0, 0, 360, horizon, Ramp{{0, rgb(0x2F7FD0)}, {1, rgb(0xB4DDF4)}});
  sun(c, 52, 52, 20, rgb(0xFFFBE0), rgb(0xFFE27A), rgb(0xFFF0A0, 0.55f));
  cloud(c, 165, 48, 110, rgb(0xFFFFFF), 41);
  cloud(c, 90, 128, 64, rgb(0xF4F8FF), 42);
  // The sea, darker far out, with wave crests.
  verticalRamp(c, 0, horizon, 360, 360, Ramp{{0, rgb(0x1E5F9C)}, {1, rgb(0x3FA6CC)}});
  Random rng(43);
  for (int i = 0; i < 120; ++i) {
    float y = static_cast<float>(rng.range(horizon + 4, 350));
    float x = static_cast<float>(rng.range(0, 360));
    float w = 2 + (y - horizon) * 0.08f;
    c.fill(segment({x - w, y}, {x + w, y - 0.6f}, 0.6f + (y - horizon) * 0.008f), rgb(0xE8F6FF, 0.55f));
  }
  // The sun's glitter on the water below it.
  for (int i = 0; i < 160; ++i) {
    float y = static_cast<float>(rng.range(horizon + 2, 290));
    float spread = 6 + (y - horizon) * 0.45f;
    float x = 52 + static_cast<float>(rng.range(-spread, spread));
    float w = 1.5f + (y - horizon) * 0.05f;
    c.fill(segment({x - w, y}, {x + w, y}, 1.2f), rgb(0xFFF6C8, 0.8f));
  }
  c.fill(rect(22, 172, 60, 176), rgb(0x3A4656));
  c.fill(rect(36, 165, 44, 172), rgb(0x3A4656));
  boat(c, 104, 236, 18, rgb(0x8A3A2A), rgb(0xD8443A));
  boat(c, 196, 204, 9, rgb(0x2A3A5A), rgb(0xFFFFFF));
  for (auto [x, y, s] : {std::tuple{205.f, 112.f, 12.f}, {228.f, 130.f, 10.f}}) bird(c, x, y, s, rgb(0x33404E));
  // The cliff and the lighthouse on the right.
  c.fill(polygon({{246, 360}, {256, 250}, {272, 196}, {300, 172}, {360, 166}, {360, 360}}),
         [](float x, float y) {
           float n = fbm(x * 0.06f, y * 0.06f, 44);
           return scaled(mix(rgb(0x9C8A74), rgb(0x5E4E40), clamp01((y - 170) / 190)), 0.8f + 0.4f * n);
         });
  c.fill(polygon({{268, 200}, {300, 170}, {360, 164}, {360, 178}, {300, 182}, {276, 204}}), rgb(0x5E9A46));
  const float lx = 322;
  c.fill(polygon({{lx - 13, 172}, {lx + 13, 172}, {lx + 9, 78}, {lx - 9, 78}}), [](float, float y) {
    return static_cast<int>((y - 78) / 16) % 2 ? rgb(0xF4F4F0) : rgb(0xD23A30);
  });
  c.fill(polygon({{lx, 78}, {lx + 13, 172}, {lx + 9, 78}}), Color{0, 0, 0, 0.12f});
  c.fill(rect(lx - 13, 74, lx + 13, 79), rgb(0x2A2A2E));
  c.fill(rect(lx - 7, 58, lx + 7, 74), rgb(0xFFE58A));
  c.fill(polygon({{lx - 10, 59}, {lx, 44}, {lx + 10, 59}}), rgb(0xB02A24));
  c.fill(polygon({{lx - 6, 64}, {200, 36}, {200, 96}}), [=](float x, float) {
    return rgb(0xFFF6C0, 0.35f * clamp01((x - 200) / (lx - 200)));
  });
  // The beach with an umbrella, a ball and a starfish.
  auto shore = [](float x) { return 282 + 0.0024f * x * x - 0.1f * x; };
  c.fill(below(0, 250, 270, 360, [&](float x) { return shore(x) - 3; }), rgb(0xF4FAFF, 0.8f));
  c.fill(below(0, 250, 270, 360, shore), [&](float x, float y) {
    float n = fbm(x * 0.2f, y * 0.2f, 45);
    return scaled(mix(rgb(0xF0DCA4), rgb(0xD8BC7E), clamp01((y - shore(x)) / 60)), 0.92f + 0.12f * n);
  });
  c.fill(segment({70, 336}, {78, 282}, 2.5f), rgb(0x6A5A4A));
  c.fill(shape(Box{46, 264, 112, 296}, [](float x, float y) {
    float u = (x - 79) / 33, v = (y - 292) / 24;
    return v < 0 && u * u + v * v <= 1;
  }),
         [](float x, float) { return static_cast<int>((x - 46) / 8.25f) % 2 ? rgb(0xFFFFFF) : rgb(0xE0453A); });
  c.fill(circle(128, 330, 9), [](float x, float) { return x < 125 ? rgb(0x2E7DE0) : x < 131 ? rgb(0xFFFFFF) : rgb(0xF2C12E); });
  std::vector<Point> star;
  for (int i = 0; i < 10; ++i) {
    float r = i % 2 ? 4.f : 10.f, a = kTau * i / 10 - 1.57f;
    star.push_back({190 + r * std::cos(a), 342 + r * std::sin(a)});
  }
  c.fill(polygon(star), rgb(0xF08A3A));
}

namespace {

void balloon(Canvas& c, float cx, float cy, float r, Color a, Color b, int stripes) {
  float neck = cy + 1.35f * r;
  auto halfWidth = [=](float y) {
    if (y <= cy) return std::sqrt(std::max(0.f, r * r - (y - cy) * (y - cy)));
    float t = (y - cy) / (neck - cy);
    return r * (1 - 0.72f * std::pow(t, 1.6f));
  };
  c.fill(shape(Box{cx - r, cy - r, cx + r, neck}, [=](float x, float y) {
    return y <= neck && std::fabs(x - cx) <= halfWidth(y);
  }),
         [=](float x, float y) {
           float u = (x - cx) / std::max(1.f, halfWidth(y));  // -1 .. 1
           int band = static_cast<int>((std::asin(std::clamp(u, -1.f, 1.f)) / 3.1416f + 0.5f) * stripes);
           Color base = band % 2 ? a : b;
           float light = 0.75f + 0.35f * std::cos((u + 0.35f) * 1.4f);
           return scaled(base, light);
         });
  float bw = r * 0.16f, top = neck + r * 0.22f;
  c.fill(segment({cx - r * 0.26f, neck - 1}, {cx - bw, top}, 0.7f), rgb(0x4A3A2A));
  c.fill(segment({cx + r * 0.26f, neck - 1}, {cx + bw, top}, 0.7f), rgb(0x4A3A2A));
  c.fill(rect(cx - bw, top, cx + bw, top + r * 0.2f), rgb(0x8A5A32));
}

}  // namespace

void balloons(Canvas& c) {
  verticalRamp(c, 0, 0, 360, 282, Ramp{{0, rgb(0x4C9BE6)}, {0.8f, rgb(0xBFE3F7)}, {1, rgb(0xF6E2C4)}});
  cloud(c, 300, 118, 90, rgb(0xFFFFFF, 0.9f), 51);
  cloud(c, 150, 40, 70, rgb(0xFFFFFF, 0.8f), 52);
  cloud(c, 60, 200, 80, rgb(0xFFFFFF, 0.85f), 53);
  ridge(c, 284, 24, 0.014f, 54, rgb(0x7FA38E), rgb(0x6A9078));
  // Fields in perspective below the hills.
  c.fill(rect(0, 280, 360, 360), [](float x, float y) {
    float depth = y - 262;
    float u = (x - 200) / depth * 6, v = std::log(depth) * 6;
    int cu = static_cast<int>(std::floor(u)), cv = static_cast<int>(std::floor(v));
    static const uint32_t palette[] = {0x9CC45A, 0xE6C65A, 0x6E9E3E, 0xC89A5E, 0x86B84E, 0xD8D27A};
    Color col = rgb(palette[hash3(cu, cv, 55) % 6]);
    float edge = std::min({u - cu, 1 - (u - cu), (v - cv) * 3, (1 - (v - cv)) * 3});
    return scaled(col, edge < 0.06f ? 0.8f : 1.f);
  });
  c.fill(rect(286, 296, 322, 316), rgb(0xB03A2E));
  c.fill(polygon({{282, 297}, {304, 284}, {326, 297}}), rgb(0x5A3A34));
  c.fill(rect(300, 304, 308, 316), rgb(0xF2E8D8));
  for (float x : {30.f, 46.f, 250.f}) roundTree(c, x, 300 + x * 0.01f, 26, rgb(0x3E7A34), 56 + static_cast<uint32_t>(x));
  balloon(c, 84, 92, 42, rgb(0xE8402E), rgb(0xF6C63A), 8);
  balloon(c, 252, 52, 26, rgb(0x2E6FD8), rgb(0xF4F4F4), 6);
  balloon(c, 300, 190, 32, rgb(0x3EAE5A), rgb(0xF08A2E), 10);
  balloon(c, 164, 186, 20, rgb(0x8A3EC0), rgb(0xF27AB0), 6);
  balloon(c, 30, 236, 10, rgb(0xF2D23A), rgb(0xE8402E), 4);
  balloon(c, 200, 118, 12, rgb(0x2EC0C0), rgb(0x1E5A8A), 4);
}

void autumnPark(Canvas& c) {
  const float horizon = 186;
  verticalRamp(c, 0, 0, 360, horizon, Ramp{{0, rgb(0x9CC6E4)}, {1, rgb(0xF6E2BC)}});
  sunRays(c, 40, 30, 170, 12, rgb(0xFFF4C8, 0.35f), 0.2f);
  sun(c, 40, 30, 16, rgb(0xFFFCE8), rgb(0xFFE69A), rgb(0xFFF0B0, 0.5f));
  for (auto [x, y, s] : {std::tuple{170.f, 50.f, 10.f}, {186.f, 58.f, 8.f}, {200.f, 46.f, 9.f}, {152.f, 62.f, 7.f}})
    bird(c, x, y, s, rgb(0x3A3A44));
  // The row of trees on the far side of the lawn.
  static const uint32_t leafColours[] = {0xE07A2A, 0xC8402E, 0xF2B83A, 0x6E8E3A, 0xD8602A, 0xB8322A};
  Random rng(61);
  for (int i = 0; i < 9; ++i) {
    float x = 8 + i * 34 + static_cast<float>(rng.range(-6, 6));
    float h = static_cast<float>(rng.range(56, 92));
    roundTree(c, x, horizon + 4, h, rgb(leafColours[i % 6]), 62 + i);
    for (int k = 0; k < 5; ++k) {  // a few leaves on their way down
      float lx = x + static_cast<float>(rng.range(-18, 18)), ly = horizon + 4 - static_cast<float>(rng.range(0, h * 0.5));
      c.fill(ellipse(lx, ly, 1.6f, 0.9f), rgb(leafColours[i % 6]));
    }
  }
  c.fill(rect(0, horizon, 360, 360), [&](float x, float y) {
    float n = fbm(x * 0.05f, y * 0.08f, 63);
    return scaled(mix(rgb(0xA8B456), rgb(0x6A7A2E), clamp01((y - horizon) / 174)), 0.85f + 0.3f * n);
  });
  // The path winding towards the trees.
  auto pathCentre = [](float y) { return 190 + 40 * std::sin((y - 186) * 0.02f); };
  auto pathHalf = [](float y) { return 4 + (y - 186) * 0.42f; };
  c.fill(shape(Box{0, horizon, 360, 360}, [&](float x, float y) { return std::fabs(x - pathCentre(y)) < pathHalf(y); }),
         [](float x, float y) {
           float n = fbm(x * 0.1f, y * 0.1f, 64);
           return scaled(rgb(0xDCC49A), 0.9f + 0.15f * n);
         });
  // Fallen leaves, thicker near the front.
  for (int i = 0; i < 260; ++i) {
    float y = horizon + 174 * static_cast<float>(std::sqrt(rng.uniform()));
    float x = static_cast<float>(rng.range(0, 360));
    float s = 1 + (y - horizon) * 0.02f;
    c.fill(ellipse(x, y, s * 1.6f, s * 0.8f), rgb(leafColours[rng.below(6)]));
  }
  // Bench, lamp and a big tree at the right edge.
  c.fill(rect(250, 252, 306, 257), rgb(0x7A4A2A));
  c.fill(rect(250, 242, 306, 246), rgb(0x7A4A2A));
  c.fill(rect(254, 257, 258, 270), rgb(0x3A2A22));
  c.fill(rect(298, 257, 302, 270), rgb(0x3A2A22));
  c.fill(rect(66, 150, 70, 300), rgb(0x24242A));
  c.fill(roundRect(60, 140, 76, 156, 3), rgb(0x24242A));
  c.fill(rect(63, 143, 73, 153), rgb(0xFFE7A0));
  c.fill(polygon({{326, 360}, {350, 360}, {344, 120}, {334, 120}}), rgb(0x4A3024));
  for (int i = 0; i < 10; ++i) {
    float a = static_cast<float>(rng.range(0, kTau)), d = static_cast<float>(rng.range(0, 40));
    float px = 330 + d * std::cos(a), py = 70 + d * std::sin(a) * 0.8f, r = static_cast<float>(rng.range(22, 34));
    c.fill(circle(px, py, r), [=](float x, float y) {
      return mix(rgb(0x8A1E1E), rgb(0xE0442E), clamp01(0.6f - ((x - px) + (y - py)) / (3 * r)));
    });
  }
}

void desert(Canvas& c) {
  verticalRamp(c, 0, 0, 360, 214, Ramp{{0, rgb(0x2A80C4)}, {0.7f, rgb(0x9ACBE0)}, {1, rgb(0xF7DCA2)}});
  glow(c, 282, 68, 260, rgb(0xFFF4D8, 0.55f));
  sun(c, 282, 68, 28, rgb(0xFFFFF0), rgb(0xFFF0B0), rgb(0xFFF6C8, 0.6f));
  c.fill(ellipse(150, 56, 60, 5), rgb(0xFFFFFF, 0.55f));
  c.fill(ellipse(120, 66, 40, 4), rgb(0xFFFFFF, 0.45f));
  for (auto [x, y, s] : {std::tuple{46.f, 46.f, 16.f}, {76.f, 70.f, 12.f}}) bird(c, x, y, s, rgb(0x2A2A30));
  // The mesa with its strata.
  c.fill(polygon({{208, 212}, {226, 146}, {240, 138}, {300, 136}, {312, 146}, {330, 212}}), [](float x, float y) {
    float band = 0.5f + 0.5f * std::sin(y * 0.7f + fbm(x * 0.05f, y * 0.05f, 71) * 4);
    return scaled(mix(rgb(0xC0603A), rgb(0x9A4428), band * 0.6f), x > 290 ? 0.82f : 1.f);
  });
  ridge(c, 214, 26, 0.01f, 72, rgb(0xE8B878), rgb(0xD09A58));
  auto dune = [](float base, float amp, float k, float ph) {
    return [=](float x) { return base - amp * std::sin(x * k + ph); };
  };
  auto mid = dune(262, 22, 0.021f, 1.2f);
  c.fill(below(0, 360, 230, 360, mid), [&](float x, float y) {
    float slope = std::cos(x * 0.021f + 1.2f);
    Color lit = rgb(0xF2C47E), dark = rgb(0xC88A4A);
    return mix(mix(lit, dark, smooth(-0.6f, 0.6f, slope)), rgb(0xE0A862), clamp01((y - mid(x)) / 60));
  });
  auto near = dune(326, 26, 0.016f, 3.4f);
  c.fill(below(0, 360, 290, 360, near), [&](float x, float y) {
    float n = fbm(x * 0.3f, y * 0.9f, 73);
    return scaled(mix(rgb(0xF6D08E), rgb(0xE0A866), clamp01((y - near(x)) / 40)), 0.94f + 0.1f * n);
  });
  // A tall cactus, a small one and rocks.
  auto cactus = [&](float x, float base, float h) {
    float w = h * 0.09f;
    Color g = rgb(0x3E7A3A), gd = rgb(0x2A5A2A);
    auto paint = [=](float px, float) { return px > x + w * 0.3f ? gd : g; };
    c.fill(roundRect(x - w, base - h, x + w, base, w), paint);
    c.fill(roundRect(x - w * 3.2f, base - h * 0.62f, x - w * 1.6f, base - h * 0.3f, w * 0.8f), g);
    c.fill(rect(x - w * 3.2f, base - h * 0.4f, x, base - h * 0.3f), g);
    c.fill(roundRect(x + w * 1.6f, base - h * 0.8f, x + w * 3.2f, base - h * 0.45f, w * 0.8f), gd);
    c.fill(rect(x, base - h * 0.55f, x + w * 3.2f, base - h * 0.45f), gd);
  };
  cactus(62, 318, 120);
  cactus(180, 262, 40);
  for (auto [x, y, r] : {std::tuple{300.f, 336.f, 14.f}, {322.f, 342.f, 9.f}, {120.f, 346.f, 6.f}})
    c.fill(ellipse(x, y, r * 1.4f, r), [x = x, y = y, r = r](float px, float py) {
      return mix(rgb(0xA88A6A), rgb(0x6E5642), clamp01(((px - x) + (py - y)) / (2 * r) + 0.5f));
    });
  for (int i = 0; i < 7; ++i) c.fill(ellipse(200 + i * 16, 300 + i * 5 + (i % 2) * 4, 2.5f, 1.5f), rgb(0xB88450));
}

void winterCabin(Canvas& c) {
  verticalRamp(c, 0, 0, 360, 210, Ramp{{0, rgb(0x7A9CD0)}, {1, rgb(0xF4D6D8)}});
  glow(c, 20, 190, 260, rgb(0xFFB48A, 0.6f));
  c.fill(circle(38, 176, 16), rgb(0xFFE8C0));
  cloud(c, 196, 40, 96, rgb(0xF8E6EE, 0.9f), 87);
  cloud(c, 320, 24, 60, rgb(0xEAE8F4, 0.8f), 88);
  auto mountain = [&](std::vector<Point> outline, float peakX, float peakY, uint32_t seed) {
    c.fill(polygon(outline), [=](float x, float y) {
      float n = fbm(x * 0.05f, y * 0.05f, seed);
      bool snow = y < peakY + 34 + 14 * n;
      Color rock = x > peakX ? rgb(0x5C6A86) : rgb(0x7A88A4);
      Color snowy = x > peakX ? rgb(0xC8D4E8) : rgb(0xF6F8FF);
      // Soft ribs running down from the peak.
      float rib = std::sin((x - peakX) / (y - peakY + 8) * 9 + n * 2);
      return snow ? snowy : scaled(rock, 0.86f + 0.1f * rib + 0.12f * n);
    });
  };
  mountain({{20, 230}, {108, 52}, {210, 230}}, 108, 52, 81);
  mountain({{150, 230}, {268, 86}, {380, 230}}, 268, 86, 82);
  mountain({{-40, 230}, {18, 140}, {90, 230}}, 18, 140, 83);
  c.fill(rect(0, 226, 360, 360), [](float x, float y) {
    // Snow drifts: long soft waves, shaded blue on their far sides.
    float drift = std::sin(x * 0.03f + y * 0.05f + 3 * fbm(x * 0.01f, y * 0.02f, 84));
    return mix(rgb(0xF6F8FF), rgb(0xCAD8EE), 0.45f * smooth(0.2f, 1.0f, drift));
  });
  c.fill(ellipse(270, 262, 80, 14), rgb(0xA8CCE6));
  c.fill(ellipse(262, 258, 50, 6), rgb(0xD8ECF8));
  Random rng(85);
  for (int i = 0; i < 28; ++i) {
    float x = static_cast<float>(rng.range(0, 360)), h = static_cast<float>(rng.range(22, 44));
    if (x > 190 && x < 350) continue;  // the lake
    pine(c, x, 236 + h * 0.2f, h, rgb(0x1E4A3A));
  }
  // The cabin with its smoke.
  c.fill(rect(28, 296, 104, 340), [](float, float y) {
    return static_cast<int>(y / 5) % 2 ? rgb(0x7A4A2E) : rgb(0x6A3E26);
  });
  c.fill(rect(82, 270, 92, 292), rgb(0x5A4A44));
  smoke(c, 87, 262, 70, 86);
  c.fill(polygon({{20, 298}, {66, 266}, {112, 298}}), rgb(0x4A2A22));
  c.fill(polygon({{20, 298}, {66, 266}, {112, 298}, {106, 300}, {66, 273}, {26, 300}}), rgb(0xF6F8FF));
  c.fill(rect(40, 308, 54, 322), rgb(0xFFD46A));
  c.fill(rect(76, 308, 90, 322), rgb(0xFFD46A));
  c.fill(rect(60, 316, 70, 340), rgb(0x3A2418));
  // A red sled and the snowman.
  c.fill(rect(156, 330, 196, 336), rgb(0xC8302A));
  c.fill(segment({152, 342}, {200, 342}, 2), rgb(0x5A4A44));
  c.fill(segment({200, 342}, {206, 336}, 2), rgb(0x5A4A44));
  for (auto [y, r] : {std::pair{330.f, 22.f}, {298.f, 16.f}, {272.f, 11.f}})
    c.fill(circle(300, y, r), [y = y, r = r](float x, float py) {
      return mix(rgb(0xFFFFFF), rgb(0xC8D4EA), clamp01(((x - 300) + (py - y)) / (2 * r) + 0.4f));
    });
  c.fill(rect(290, 250, 310, 262), rgb(0x222228));
  c.fill(rect(286, 260, 314, 263), rgb(0x222228));
  c.fill(polygon({{300, 272}, {316, 275}, {300, 277}}), rgb(0xF08A2A));
  c.fill(rect(288, 282, 312, 287), rgb(0xD8302E));
  c.fill(rect(306, 284, 312, 298), rgb(0xD8302E));
  for (int i = 0; i < 70; ++i) {
    float x = static_cast<float>(rng.range(0, 360)), y = static_cast<float>(rng.range(0, 360));
    c.fill(circle(x, y, static_cast<float>(rng.range(0.8, 2.0))), rgb(0xFFFFFF, 0.85f));
  }
}

void meadow(Canvas& c) {
  verticalRamp(c, 0, 0, 360, 180, Ramp{{0, rgb(0x3E96E0)}, {1, rgb(0xC6E8F8)}});
  sunRays(c, 304, 44, 80, 14, rgb(0xFFF2A0, 0.45f), 0.1f);
  sun(c, 304, 44, 20, rgb(0xFFFCE0), rgb(0xFFE060), rgb(0xFFF4B0, 0.5f));
  cloud(c, 70, 48, 90, rgb(0xFFFFFF), 131);
  cloud(c, 186, 92, 64, rgb(0xFFFFFF, 0.9f), 132);
  ridge(c, 176, 34, 0.012f, 133, rgb(0x9CCB6A), rgb(0x86B85A));
  // A windmill on the far hill.
  c.fill(polygon({{50, 160}, {56, 122}, {64, 122}, {70, 160}}), rgb(0xF2EEE6));
  for (int i = 0; i < 4; ++i) {
    float a = 0.4f + kTau * i / 4;
    c.fill(segment({60, 122}, {60 + 22 * std::cos(a), 122 + 22 * std::sin(a)}, 3), rgb(0x8A6A4A));
  }
  ridge(c, 214, 22, 0.016f, 134, rgb(0x6AAE3E), rgb(0x3E7A2A));
  Random rng(135);
  for (int i = 0; i < 500; ++i) {
    float y = static_cast<float>(rng.range(205, 360)), x = static_cast<float>(rng.range(0, 360));
    float h = 2 + (y - 200) * 0.05f;
    c.fill(segment({x, y}, {x + static_cast<float>(rng.range(-2, 2)), y - h}, 0.8f),
           rng.uniform() < 0.5 ? rgb(0x8CCB5A, 0.8f) : rgb(0x2E6A22, 0.8f));
  }
  // A white fence on the right.
  for (float x = 238; x < 360; x += 14) c.fill(polygon({{x, 222}, {x + 4, 216}, {x + 8, 222}, {x + 8, 250}, {x, 250}}), rgb(0xF6F6F2));
  c.fill(rect(232, 228, 360, 232), rgb(0xE6E6E0));
  c.fill(rect(232, 240, 360, 244), rgb(0xE6E6E0));
  // A sunflower, tulips and daisies.
  c.fill(segment({64, 360}, {70, 262}, 4), rgb(0x3E7A2A));
  c.fill(ellipse(82, 320, 14, 5), rgb(0x4E8E32));
  for (int i = 0; i < 16; ++i) {
    float a = kTau * i / 16;
    float px = 70 + 24 * std::cos(a), py = 258 + 24 * std::sin(a);
    c.fill(ellipse(px, py, 9, 9), rgb(i % 2 ? 0xF6C62E : 0xEEB21E));
  }
  c.fill(circle(70, 258, 16), [](float x, float y) {
    return latticeValue(static_cast<int>(x * 0.8f), static_cast<int>(y * 0.8f), 136) > 0.5f ? rgb(0x5A3418) : rgb(0x3A2410);
  });
  static const uint32_t tulips[] = {0xE0302E, 0xF27AA8, 0xF2C12E, 0xC02A6A, 0xE0302E};
  for (int i = 0; i < 5; ++i) {
    float x = 140 + i * 20, top = 288 + (i % 2) * 12;
    c.fill(segment({x, top}, {x + 2, 360}, 2.5f), rgb(0x3E7A2A));
    Color col = rgb(tulips[i]);
    c.fill(ellipse(x, top, 8, 11), col);
    c.fill(polygon({{x - 8, top - 2}, {x - 5, top - 14}, {x - 1, top - 6}, {x + 3, top - 14}, {x + 8, top - 2}}), scaled(col, 0.85f));
  }
  for (int i = 0; i < 9; ++i) {
    float x = static_cast<float>(rng.range(262, 350)), y = static_cast<float>(rng.range(270, 350));
    float s = 5 + (y - 270) * 0.05f;
    for (int p = 0; p < 10; ++p) {
      float a = kTau * p / 10;
      c.fill(ellipse(x + s * std::cos(a), y + s * std::sin(a), s * 0.55f, s * 0.55f), rgb(0xFFFFFF));
    }
    c.fill(circle(x, y, s * 0.5f), rgb(0xF6C62E));
  }
  auto butterfly = [&](float x, float y, Color wing) {
    c.fill(ellipse(x - 6, y - 4, 6, 5), wing);
    c.fill(ellipse(x + 6, y - 4, 6, 5), wing);
    c.fill(ellipse(x - 4, y + 4, 4, 3), scaled(wing, 0.8f));
    c.fill(ellipse(x + 4, y + 4, 4, 3), scaled(wing, 0.8f));
    c.fill(ellipse(x, y, 1.5f, 6), rgb(0x222222));
  };
  butterfly(196, 196, rgb(0x3A7AE0));
  butterfly(134, 150, rgb(0xF28A2A));
}

namespace {

void palm(Canvas& c, float x, float base, float height, float lean) {
  Point prev{x, base};
  const int steps = 16;
  for (int i = 1; i <= steps; ++i) {
    float t = static_cast<float>(i) / steps;
    Point p{x + lean * t * t, base - height * t};
    c.fill(segment(prev, p, 7 - 3 * t), i % 2 ? rgb(0x8A6A44) : rgb(0x74583A));
    prev = p;
  }
  for (int f = 0; f < 7; ++f) {
    float a = -3.0f + f * 0.5f;
    float len = height * 0.42f;
    Point tip{prev.x + len * std::cos(a), prev.y + len * std::sin(a) * 0.6f + len * 0.25f};
    Point midp{(prev.x + tip.x) / 2, (prev.y + tip.y) / 2 - len * 0.18f};
    c.fill(polygon({prev, {midp.x, midp.y - 4}, tip, {midp.x, midp.y + 4}}), f % 2 ? rgb(0x2E8A3A) : rgb(0x3EA84A));
  }
  c.fill(circle(prev.x - 3, prev.y + 4, 3.5f), rgb(0x5A3A1E));
  c.fill(circle(prev.x + 3, prev.y + 5, 3.5f), rgb(0x5A3A1E));
}

}  // namespace

void island(Canvas& c) {
  const float horizon = 178;
  verticalRamp(c, 0, 0, 360, horizon, Ramp{{0, rgb(0x2E90E0)}, {1, rgb(0xC2EAF6)}});
  sun(c, 48, 44, 18, rgb(0xFFFDE8), rgb(0xFFE88A), rgb(0xFFF4B8, 0.6f));
  cloud(c, 170, 60, 80, rgb(0xFFFFFF, 0.95f), 151);
  // A volcano in the haze.
  c.fill(polygon({{222, horizon}, {288, 96}, {306, 96}, {372, horizon}}), [](float x, float y) {
    return mix(rgb(0x7A8AA8), rgb(0x9AAEC6), clamp01((y - 96) / 80) * (x > 297 ? 0.4f : 1.f));
  });
  smoke(c, 297, 92, 70, 152);
  verticalRamp(c, 0, horizon, 360, 360, Ramp{{0, rgb(0x1A88B8)}, {0.4f, rgb(0x1FA6C0)}, {1, rgb(0x5ED8D0)}});
  Random rng(153);
  for (int i = 0; i < 90; ++i) {
    float y = static_cast<float>(rng.range(horizon + 3, 360)), x = static_cast<float>(rng.range(0, 360));
    float w = 2 + (y - horizon) * 0.06f;
    c.fill(segment({x - w, y}, {x + w, y}, 0.7f), rgb(0xFFFFFF, 0.45f));
  }
  boat(c, 306, 214, 14, rgb(0xF4F4F4), rgb(0xF2A23A));
  // The island.
  c.fill(ellipse(118, 256, 116, 30), rgb(0x8EE4D8, 0.8f));
  c.fill(ellipse(118, 252, 104, 24), [](float x, float y) {
    float n = fbm(x * 0.15f, y * 0.15f, 154);
    return scaled(rgb(0xF2DCA0), 0.9f + 0.15f * n);
  });
  c.fill(ellipse(96, 238, 40, 12), rgb(0x4E9A3A));
  palm(c, 84, 244, 124, -40);
  palm(c, 142, 246, 88, 34);
  c.fill(rect(176, 230, 210, 252), rgb(0xA87A48));
  c.fill(polygon({{170, 232}, {193, 210}, {216, 232}}), rgb(0xD8B05A));
  c.fill(rect(188, 238, 198, 252), rgb(0x5A3A22));
  // Dolphins leaping and a red rowboat.
  auto dolphin = [&](float x, float y, float s, bool left) {
    float d = left ? -1.f : 1.f;
    std::vector<Point> body;
    for (int i = 0; i <= 12; ++i) {
      float t = i / 12.f;
      body.push_back({x + d * (t - 0.5f) * 40 * s, y - std::sin(t * 3.1416f) * 16 * s - 3 * s});
    }
    for (int i = 12; i >= 0; --i) {
      float t = i / 12.f;
      body.push_back({x + d * (t - 0.5f) * 40 * s, y - std::sin(t * 3.1416f) * 16 * s + 3 * s * (1 - std::fabs(t - 0.5f))});
    }
    c.fill(polygon(body), rgb(0x5A6E86));
    c.fill(polygon({{x - d * 2 * s, y - 19 * s}, {x - d * 8 * s, y - 27 * s}, {x + d * 4 * s, y - 19 * s}}), rgb(0x5A6E86));
  };
  dolphin(170, 318, 1.0f, false);
  dolphin(222, 300, 0.8f, false);
  c.fill(polygon({{276, 322}, {340, 322}, {330, 336}, {286, 336}}), rgb(0xC8382E));
  c.fill(segment({290, 318}, {330, 330}, 2), rgb(0x8A6A44));
  for (auto [x, y, s] : {std::tuple{220.f, 120.f, 12.f}, {244.f, 136.f, 9.f}}) bird(c, x, y, s, rgb(0x384858));
}

}  // namespace mediagen
