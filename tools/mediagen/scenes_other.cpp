// Abstract pictures, the reef, the city and space.
#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

#include "scene_kit.h"
#include "scenes.h"

namespace mediagen {
namespace {

constexpr float kTau = 6.2831853f;

auto ringShape(float cx, float cy, float inner, float outer) {
  return shape(Box{cx - outer, cy - outer, cx + outer, cy + outer}, [=](float x, float y) {
    float d = std::hypot(x - cx, y - cy);
    return d >= inner && d <= outer;
  });
}

}  // namespace

void shapesComposition(Canvas& c) {
  c.fill(rect(0, 0, 360, 360), [](float x, float y) {
    float n = fbm(x * 0.04f, y * 0.04f, 41);
    return scaled(mix(rgb(0xF6EEDC), rgb(0xE6D2B4), clamp01((x + y) / 720)), 0.96f + 0.06f * n);
  });
  // Concentric discs, top left.
  c.fill(circle(70, 72, 56), rgb(0x1E3C8E));
  c.fill(circle(74, 70, 42), rgb(0xF2C230));
  c.fill(circle(78, 68, 28), rgb(0xD8402A));
  c.fill(circle(80, 66, 12), rgb(0x1A1A1E));
  glow(c, 70, 72, 90, rgb(0x1E3C8E, 0.15f));
  // Crossing lines and small circles, top middle.
  c.fill(segment({122, 18}, {236, 112}, 3), rgb(0x1A1A1E));
  c.fill(segment({130, 100}, {232, 24}, 1.6f), rgb(0x1A1A1E));
  c.fill(segment({170, 8}, {176, 116}, 1.2f), rgb(0x1A1A1E));
  c.fill(circle(208, 58, 10), rgb(0xE86AA0));
  c.fill(circle(150, 40, 6), rgb(0x2EA89A));
  c.fill(circle(140, 90, 14), rgb(0x2EA89A, 0.8f));
  // A checkerboard, top right.
  c.fill(rect(258, 18, 342, 102), [](float x, float y) {
    int i = static_cast<int>((x - 258) / 21), j = static_cast<int>((y - 18) / 21);
    if ((i + j) % 2) return rgb(0x1A1A1E);
    return i == 2 && j == 1 ? rgb(0xF08A2A) : rgb(0xFAF6EE);
  });
  // A green half disc, middle left.
  c.fill(shape(Box{10, 148, 106, 244}, [](float x, float y) { return x >= 34 && std::hypot(x - 34, y - 196) <= 48; }),
         rgb(0x3E9A4A));
  c.fill(rect(18, 150, 26, 242), rgb(0x1A1A1E));
  // The big red-orange circle in the middle and the long line through it.
  c.fill(circle(182, 180, 42), [](float x, float y) {
    return mix(rgb(0xF2762A), rgb(0xC8302A), clamp01((x - 140 + y - 138) / 168));
  });
  c.fill(ringShape(182, 180, 50, 54), rgb(0x1A1A1E));
  c.fill(segment({92, 276}, {336, 122}, 2.5f), rgb(0x1A1A1E));
  // A yellow bar with a violet square, middle right.
  c.fill(rect(282, 146, 326, 238), rgb(0xF2C230));
  c.fill(rect(300, 190, 344, 228), rgb(0x7A3EA8, 0.85f));
  // A blue triangle, bottom left.
  c.fill(polygon({{18, 344}, {98, 254}, {134, 346}}), [](float x, float y) {
    return mix(rgb(0x3A6AD8), rgb(0x1E3C8E), clamp01((y - 254) / 92 + (x - 60) / 300));
  });
  c.fill(circle(96, 316, 8), rgb(0xFAF6EE));
  // A field of dots and a wave, bottom middle.
  for (int i = 0; i < 5; ++i)
    for (int j = 0; j < 3; ++j) c.fill(circle(150 + i * 18, 262 + j * 16, 3 + (i + j) % 3), rgb(0x2EA89A));
  for (int k = 0; k < 60; ++k) {
    float x0 = 140 + k * 1.6f, x1 = x0 + 1.6f;
    c.fill(segment({x0, 330 + 8 * std::sin(x0 * 0.12f)}, {x1, 330 + 8 * std::sin(x1 * 0.12f)}, 3), rgb(0xD8402A));
  }
  // Rainbow arcs in the bottom right corner.
  static const uint32_t arcs[] = {0x7A3EA8, 0x3A6AD8, 0x2EA89A, 0x3E9A4A, 0xF2C230, 0xF2762A, 0xD8402A};
  for (int i = 0; i < 7; ++i) c.fill(ringShape(360, 360, 28 + i * 11, 37 + i * 11), rgb(arcs[i]));
}

void rosette(Canvas& c) {
  c.fill(rect(0, 0, 360, 360), [](float x, float y) {
    float n = fbm(x * 0.03f, y * 0.03f, 81);
    return scaled(mix(rgb(0x1E1238), rgb(0x0C2C3A), clamp01((x + y) / 720)), 0.85f + 0.3f * n);
  });
  auto flower = [&](float cx, float cy, float radius, float ringWidth, float hueShift, int basePetals) {
    glow(c, cx, cy, radius * 1.25f, hsv(hueShift + 40, 0.5f, 1, 0.25f));
    c.fill(circle(cx, cy, radius), [=](float x, float y) {
      float r = std::hypot(x - cx, y - cy), a = std::atan2(y - cy, x - cx);
      int ring = static_cast<int>(r / ringWidth);
      float f = r / ringWidth - ring;
      int k = basePetals + 2 * ring;
      float turn = k * a / 6.2831853f + ring * 0.5f;
      float local = turn - std::floor(turn) - 0.5f;  // -0.5 .. 0.5 across one petal
      float hue = hueShift + a * 57.2958f + ring * 23;
      if (f < 0.08f) return rgb(0xF2D27A);  // a gold thread between rings
      float g = (f - 0.08f) / 0.92f;
      float width = 0.46f * std::sin(3.1416f * std::pow(g, 0.8f));
      if (std::fabs(local) < width) {
        float across = std::fabs(local) / width;
        if (across < 0.12f) return hsv(hue, 0.8f, 0.55f);  // the petal's vein
        return hsv(hue, 0.45f + 0.35f * across, 1.0f - 0.35f * across * across);
      }
      if (std::fabs(g - 0.5f) < 0.12f && std::fabs(std::fabs(local) - 0.5f) < 0.05f) return rgb(0xF2D27A);
      return hsv(hue + 25, 0.6f, 0.3f);
    });
  };
  flower(146, 158, 142, 17, 0, 6);
  flower(304, 300, 58, 12, 150, 5);
  flower(322, 44, 30, 10, 260, 4);
  Random rng(82);
  for (int i = 0; i < 40; ++i) {
    float x = static_cast<float>(rng.range(0, 360)), y = static_cast<float>(rng.range(0, 360));
    if (std::hypot(x - 146, y - 158) < 150 || std::hypot(x - 304, y - 300) < 64) continue;
    c.fill(circle(x, y, static_cast<float>(rng.range(1, 3.5))), hsv(static_cast<float>(rng.range(0, 360)), 0.5f, 1));
  }
}

namespace {

void fish(Canvas& c, float x, float y, float size, Color body, Color stripe, bool facingLeft) {
  float d = facingLeft ? 1.f : -1.f;
  c.fill(polygon({{x + d * size * 0.8f, y}, {x + d * size * 1.4f, y - size * 0.5f}, {x + d * size * 1.4f, y + size * 0.5f}}),
         scaled(body, 0.85f));
  c.fill(ellipse(x, y, size, size * 0.55f), [=](float px, float) {
    float u = (px - x) / size;
    return std::fabs(std::sin(u * 5)) < 0.25f ? stripe : body;
  });
  c.fill(circle(x - d * size * 0.55f, y - size * 0.12f, size * 0.12f), rgb(0xFFFFFF));
  c.fill(circle(x - d * size * 0.58f, y - size * 0.12f, size * 0.06f), rgb(0x101010));
}

void coral(Canvas& c, Point base, float length, float angle, int depth, Color colour, Random& rng) {
  Point tip{base.x + length * std::cos(angle), base.y + length * std::sin(angle)};
  c.fill(segment(base, tip, 1.5f + depth * 1.4f), colour);
  if (depth == 0) {
    c.fill(circle(tip.x, tip.y, 2.5f), mix(colour, rgb(0xFFFFFF), 0.3f));
    return;
  }
  for (int i = 0; i < 2; ++i) {
    float turn = (i ? 1 : -1) * static_cast<float>(rng.range(0.25, 0.6));
    coral(c, tip, length * static_cast<float>(rng.range(0.65, 0.85)), angle + turn, depth - 1, colour, rng);
  }
}

}  // namespace

void reef(Canvas& c) {
  verticalRamp(c, 0, 0, 360, 360, Ramp{{0, rgb(0x66D4E2)}, {0.45f, rgb(0x1C82B4)}, {1, rgb(0x0A2E5E)}});
  // Light from the surface.
  for (int i = 0; i < 6; ++i) {
    float x = 30 + i * 62;
    c.fill(polygon({{x, 0}, {x + 22, 0}, {x - 50, 300}, {x - 90, 300}}), [](float, float y) {
      return rgb(0xFFFFFF, 0.13f * (1 - y / 300));
    });
  }
  c.fill(rect(0, 0, 360, 8), [](float x, float) { return rgb(0xE8FAFF, 0.4f + 0.3f * std::sin(x * 0.2f)); });
  glow(c, 40, -20, 240, rgb(0xE8FFF8, 0.45f));
  // A rock wall with sponges on the right.
  auto wall = [](float y) { return 292 - 40 * std::exp(-std::pow((y - 200) / 90, 2)) - 8 * std::sin(y * 0.09f); };
  c.fill(shape(Box{240, 110, 360, 360}, [=](float x, float y) { return y > 120 && x > wall(y); }), [](float x, float y) {
    float n = fbm(x * 0.08f, y * 0.08f, 93);
    return scaled(mix(rgb(0x5A4A6A), rgb(0x2A2A4A), clamp01((y - 120) / 200)), 0.75f + 0.5f * n);
  });
  for (auto [x, y, col] : {std::tuple{280.f, 150.f, 0xF2C23Au}, {300.f, 176.f, 0xF26A3Au}, {276.f, 206.f, 0x3AD8C8u}})
    c.fill(ellipse(x, y, 7, 5), rgb(col));
  // Sand.
  auto floorTop = [](float x) { return 306 + 12 * std::sin(x * 0.025f + 0.5f); };
  c.fill(below(0, 360, 290, 360, floorTop), [](float x, float y) {
    float n = fbm(x * 0.2f, y * 0.3f, 91);
    return scaled(mix(rgb(0xE6CE94), rgb(0xB49A62), clamp01((y - 295) / 60)), 0.9f + 0.15f * n);
  });
  // Seaweed along the left.
  for (int s = 0; s < 4; ++s) {
    float x0 = 10 + s * 14, h = 150 + s * 30;
    for (int i = 0; i < 40; ++i) {
      float t0 = i / 40.f, t1 = (i + 1) / 40.f;
      auto at = [&](float t) { return Point{x0 + 8 * std::sin(t * 9 + s), 340 - h * t}; };
      c.fill(segment(at(t0), at(t1), 6 - 4 * t0), s % 2 ? rgb(0x2E8A4A) : rgb(0x4EAA3A));
    }
  }
  Random rng(92);
  coral(c, {110, 326}, 26, -1.57f, 4, rgb(0xF26A8A), rng);
  coral(c, {196, 320}, 22, -1.8f, 3, rgb(0xFF9A3A), rng);
  coral(c, {320, 318}, 30, -1.4f, 4, rgb(0xA85AD8), rng);
  c.fill(ellipse(250, 318, 26, 16), [](float x, float y) {
    return 0.5f + 0.5f * std::sin((x * 0.6f + std::sin(y * 0.5f) * 3)) > 0.5f ? rgb(0xD8A84A) : rgb(0xB8862E);
  });
  std::vector<Point> star;
  for (int i = 0; i < 10; ++i) {
    float r = i % 2 ? 5.f : 12.f, a = kTau * i / 10;
    star.push_back({160 + r * std::cos(a), 344 + r * std::sin(a)});
  }
  c.fill(polygon(star), rgb(0xE84A3A));
  // Fish.
  fish(c, 92, 84, 24, rgb(0xF6D03A), rgb(0x2A2A30), true);
  fish(c, 246, 150, 20, rgb(0x2E6AE0), rgb(0xF6D03A), false);
  for (int i = 0; i < 6; ++i) fish(c, 150 + i * 13, 182 + (i % 2) * 10, 6, rgb(0xE8402E), rgb(0xFFFFFF), true);
  // A school of small yellow fish circling.
  for (int i = 0; i < 22; ++i) {
    float a = kTau * i / 22, r = 26 + 8 * std::sin(i * 1.7f);
    fish(c, 190 + r * std::cos(a), 150 + r * 0.6f * std::sin(a), 4.5f, rgb(0xFFE04A), rgb(0xF0A020), std::sin(a) > 0);
  }
  // A sea turtle, top middle.
  for (auto [fx, fy] : {std::pair{-22.f, -14.f}, {18.f, -16.f}, {-20.f, 14.f}, {16.f, 14.f}})
    c.fill(ellipse(184 + fx, 70 + fy, 11, 5), rgb(0x6A9A5A));
  c.fill(ellipse(214, 68, 9, 7), rgb(0x7AAA6A));
  c.fill(ellipse(182, 70, 26, 18), [](float x, float y) {
    float cell = std::sin(x * 0.5f) * std::sin(y * 0.55f);
    return cell > 0.3f ? rgb(0x8A6A2E) : rgb(0x5A7A3A);
  });
  c.fill(circle(218, 66, 1.5f), rgb(0x101010));
  fish(c, 150, 236, 14, rgb(0xFF8A2A), rgb(0xFFFFFF), false);
  fish(c, 316, 226, 12, rgb(0xB04AD8), rgb(0xF6D03A), true);
  fish(c, 60, 196, 10, rgb(0x3ED0B0), rgb(0x1A5A6A), false);
  // A jellyfish at the top right.
  for (int i = 0; i < 6; ++i) {
    float x = 296 + i * 6;
    for (int k = 0; k < 20; ++k) {
      float t0 = k / 20.f, t1 = (k + 1) / 20.f;
      c.fill(segment({x + 3 * std::sin(t0 * 8 + i), 56 + 60 * t0}, {x + 3 * std::sin(t1 * 8 + i), 56 + 60 * t1}, 1.2f),
             rgb(0xF2B8E8, 0.6f));
    }
  }
  c.fill(shape(Box{286, 28, 342, 58}, [](float x, float y) {
    float u = (x - 314) / 28, v = (y - 58) / 28;
    return v <= 0 && u * u + v * v <= 1;
  }),
         [](float, float y) { return mix(rgb(0xF8D0F0, 0.85f), rgb(0xD878C8, 0.8f), (y - 30) / 28); });
  for (int i = 0; i < 14; ++i) {
    float y = 40 + i * 18 + static_cast<float>(rng.range(-4, 4)), x = 128 + 6 * std::sin(i * 1.3f);
    float r = 1.5f + (280 - y) * 0.012f;
    c.fill(ringShape(x, y, r * 0.7f, r), rgb(0xE8FAFF, 0.8f));
  }
}

void cityDusk(Canvas& c) {
  const float river = 262;
  verticalRamp(c, 0, 0, 360, river, Ramp{{0, rgb(0x161244)}, {0.45f, rgb(0x5A2A78)}, {0.8f, rgb(0xF27A4A)}, {1, rgb(0xFFC46A)}});
  glow(c, 330, 262, 300, rgb(0xFF9A50, 0.45f));
  stars(c, 0, 0, 360, 80, 40, 111);
  glow(c, 62, 48, 40, rgb(0xFFF4D0, 0.3f));
  c.fill(shape(Box{46, 32, 78, 64}, [](float x, float y) {
    return std::hypot(x - 62, y - 48) <= 15 && std::hypot(x - 68, y - 44) > 14;
  }),
         rgb(0xFFF4D0));
  // Streaks of cloud lit from below by the set sun.
  for (auto [x, y, w] : {std::tuple{150.f, 70.f, 70.f}, {196.f, 92.f, 54.f}, {168.f, 40.f, 40.f}})
    c.fill(shape(Box{x - w, y - 4, x + w, y + 4}, [x = x, y = y, w = w](float px, float py) {
      float u = (px - x) / w;
      return std::fabs(py - y) < 3.5f * (1 - u * u) * (1 + 0.3f * std::sin(px * 0.3f));
    }),
           [y = y](float, float py) { return mix(rgb(0xE890A8, 0.85f), rgb(0xFFC070, 0.9f), clamp01((py - y + 3) / 6)); });
  Random rng(112);
  // Far skyline.
  for (float x = -10; x < 360;) {
    float w = static_cast<float>(rng.range(14, 30)), h = static_cast<float>(rng.range(30, 80));
    c.fill(rect(x, river - h, x + w, river), rgb(0x4A3064));
    x += w + static_cast<float>(rng.range(0, 4));
  }
  // Near buildings with lit windows.
  struct Tower {
    float x, w, top;
    uint32_t colour;
  };
  const Tower towers[] = {{4, 40, 150, 0x24203E}, {48, 30, 190, 0x2E2848}, {84, 34, 54, 0x1C2038},
                          {124, 44, 170, 0x2A2444}, {172, 30, 132, 0x221E3A}, {206, 48, 200, 0x2E2A4A},
                          {258, 36, 110, 0x1E2240}, {298, 58, 176, 0x282440}, {318, 30, 62, 0x202642}};
  for (const Tower& t : towers) {
    c.fill(rect(t.x, t.top, t.x + t.w, river), [=](float x, float y) {
      int col = static_cast<int>((x - t.x - 4) / 7), row = static_cast<int>((y - t.top - 6) / 9);
      float fx = x - t.x - 4 - col * 7.f, fy = y - t.top - 6 - row * 9.f;
      bool window = x > t.x + 4 && x < t.x + t.w - 4 && y > t.top + 6 && fx < 4 && fy < 5;
      if (window && hash3(col + static_cast<int>(t.x), row, 113) % 5 < 3) return rgb(0xFFD27A);
      return x > t.x + t.w * 0.75f ? scaled(rgb(t.colour), 0.8f) : rgb(t.colour);
    });
  }
  c.fill(polygon({{84, 54}, {101, 30}, {118, 54}}), rgb(0x1C2038));
  c.fill(rect(100, 4, 102, 32), rgb(0x1C2038));
  c.fill(circle(101, 5, 2.5f), rgb(0xFF4A3A));
  c.fill(polygon({{318, 62}, {333, 36}, {348, 62}}), rgb(0x202642));
  c.fill(rect(332, 12, 334, 38), rgb(0x202642));
  c.fill(circle(333, 13, 2.5f), rgb(0xFF4A3A));
  c.fill(ellipse(276, 110, 18, 14), rgb(0x1E2240));
  c.fill(rect(274, 84, 278, 98), rgb(0x1E2240));
  reflect(c, river, 0, 360, 360, rgb(0x24204E), 0.5f, 114);
  // The sunset glows on the water towards the right.
  c.fill(rect(0, river, 360, 360), [=](float x, float y) {
    return rgb(0xFF9A50, 0.4f * clamp01((x - 60) / 300) * clamp01(1.2f - (y - river) / 100));
  });
  // The bridge over the river.
  c.fill(rect(236, 276, 360, 284), rgb(0x3A3050));
  for (int a = 0; a < 2; ++a) {
    float cx = 268 + a * 62;
    c.fill(shape(Box{cx - 31, 284, cx + 31, 360}, [=](float x, float y) {
      return std::hypot((x - cx) / 29, (y - 318) / 34) > 1 && y < 340;
    }),
           rgb(0x3A3050));
  }
  for (int i = 0; i < 5; ++i) {
    float x = 240 + i * 28;
    c.fill(rect(x, 262, x + 2, 276), rgb(0x2A2236));
    glow(c, x + 1, 262, 8, rgb(0xFFE0A0, 0.8f));
  }
  boat(c, 180, 318, 16, rgb(0x1E1A2E), rgb(0xE8E0F0));
  glow(c, 180, 292, 10, rgb(0x6AFF8A, 0.8f));
  // A small boat with lights.
  c.fill(polygon({{40, 318}, {120, 318}, {110, 332}, {50, 332}}), rgb(0xE8E2F0));
  c.fill(rect(58, 306, 100, 318), rgb(0xC8C2D8));
  for (int i = 0; i < 5; ++i) c.fill(rect(61 + i * 8, 309, 66 + i * 8, 314), rgb(0xFFD27A));
}

void outerSpace(Canvas& c) {
  c.fill(rect(0, 0, 360, 360), [](float x, float y) {
    float band = std::exp(-std::pow((x + y - 380) / 140, 2));
    float n = fbm(x * 0.012f, y * 0.012f, 121, 5), m = fbm(x * 0.02f + 9, y * 0.02f, 122, 5);
    Color base = rgb(0x04050E);
    Color pink = rgb(0xC83A8A), teal = rgb(0x2A8AAA);
    Color cloud = mix(pink, teal, smooth(0.35f, 0.65f, m));
    return mix(base, cloud, clamp01(band * std::pow(n, 1.6f) * 1.8f));
  });
  stars(c, 0, 0, 360, 360, 260, 123);
  // A spiral galaxy, bottom left.
  c.fill(circle(78, 284, 56), [](float x, float y) {
    float dx = x - 78, dy = (y - 284) / 0.6f, r = std::hypot(dx, dy), a = std::atan2(dy, dx);
    float arm = 0.5f + 0.5f * std::cos(2 * a - std::log(r + 1) * 4);
    float light = std::exp(-r / 12) + 0.5f * std::pow(arm, 3) * std::exp(-r / 40);
    return Color{0.85f, 0.8f, 1.f, clamp01(light)};
  });
  // A ringed planet, top left: the ring behind, the planet, the ring in front.
  const float px = 100, py = 96, pr = 44, tilt = -0.35f;
  auto ringAt = [=](float x, float y, bool front) {
    float dx = x - px, dy = y - py;
    float u = dx * std::cos(tilt) + dy * std::sin(tilt), v = -dx * std::sin(tilt) + dy * std::cos(tilt);
    float e = std::hypot(u / 84, v / 20);
    return e > 0.66f && e < 1 && (v > 0) == front;
  };
  Box ringBox{px - 90, py - 50, px + 90, py + 50};
  auto ringPaint = [](float x, float y) {
    return rgb(std::fmod(std::hypot(x - 100, (y - 96) * 3), 9.f) < 4 ? 0xE8D6B0 : 0xC8A878, 0.85f);
  };
  c.fill(shape(ringBox, [&](float x, float y) { return ringAt(x, y, false); }), ringPaint);
  c.fill(circle(px, py, pr), [=](float x, float y) {
    float band = std::sin((y - py + 6 * fbm(x * 0.05f, y * 0.05f, 124)) * 0.35f);
    Color col = mix(rgb(0xE0A05A), rgb(0xF2D6A0), 0.5f + 0.5f * band);
    float shade = clamp01(1.1f - std::hypot(x - px + 18, y - py + 18) / (pr * 1.9f));
    return scaled(col, 0.35f + 0.75f * shade);
  });
  c.fill(shape(ringBox, [&](float x, float y) { return ringAt(x, y, true); }), ringPaint);
  // A blue world with clouds, bottom right, and its small moon.
  const float wx = 282, wy = 282, wr = 40;
  glow(c, wx, wy, wr * 1.35f, rgb(0x6AB8FF, 0.5f));
  c.fill(circle(wx, wy, wr), [=](float x, float y) {
    float land = fbm(x * 0.05f, y * 0.05f, 125, 5), cloud = fbm(x * 0.08f + 3, y * 0.16f, 126, 4);
    Color col = land > 0.55f ? rgb(0x4E9A4A) : rgb(0x1E5AC0);
    col = mix(col, rgb(0xFFFFFF), smooth(0.55f, 0.75f, cloud));
    float lit = clamp01(1.2f - std::hypot(x - wx + 20, y - wy + 16) / (wr * 1.7f));
    return scaled(col, 0.15f + 0.95f * lit);
  });
  c.fill(circle(334, 196, 11), [](float x, float y) {
    float n = fbm(x * 0.3f, y * 0.3f, 127);
    return scaled(rgb(0xC8C4BC), 0.7f + 0.45f * n - 0.02f * (x - 334));
  });
  // A comet, top right.
  c.fill(polygon({{262, 86}, {352, 10}, {360, 22}, {268, 92}}), [](float x, float) {
    return rgb(0xBFE8FF, 0.55f * clamp01(1 - (x - 262) / 100));
  });
  glow(c, 265, 89, 16, rgb(0xE0F6FF, 0.9f));
  c.fill(circle(265, 89, 4), rgb(0xFFFFFF));
  // A small satellite, bottom middle.
  c.fill(rect(172, 302, 188, 318), rgb(0xD8D8E0));
  c.fill(rect(140, 306, 170, 314), rgb(0x3A5AB0));
  c.fill(rect(190, 306, 220, 314), rgb(0x3A5AB0));
  c.fill(segment({180, 302}, {186, 290}, 1), rgb(0xD8D8E0));
}

void stainedGlass(Canvas& c) {
  Random rng(141);
  std::vector<Point> seeds;
  for (int j = 0; j < 8; ++j)
    for (int i = 0; i < 8; ++i)
      seeds.push_back({(i + static_cast<float>(rng.range(0.15, 0.85))) * 45, (j + static_cast<float>(rng.range(0.15, 0.85))) * 45});
  std::vector<float> tone(seeds.size());
  for (float& t : tone) t = static_cast<float>(rng.uniform());
  const float wx = 250, wy = 112, wr = 72;
  c.fill(rect(0, 0, 360, 360), [&](float x, float y) {
    float best = 1e9f, second = 1e9f;
    size_t k = 0;
    for (size_t i = 0; i < seeds.size(); ++i) {
      float d = std::hypot(x - seeds[i].x, y - seeds[i].y);
      if (d < best) {
        second = best;
        best = d;
        k = i;
      } else if (d < second) {
        second = d;
      }
    }
    float rd = std::hypot(x - wx, y - wy);
    if (second - best < 2.4f || std::fabs(rd - wr) < 2.2f || std::fabs(rd - wr * 0.45f) < 1.8f) return rgb(0x1E1A1A);
    const Point& s = seeds[k];
    float hue = 330 * (0.55f * s.x / 360 + 0.45f * s.y / 360) + tone[k] * 30;
    if (rd < wr) hue += 150;
    float centre = clamp01(1 - best / 30);
    return hsv(hue, 0.7f - 0.25f * centre, 0.5f + 0.3f * tone[k] + 0.2f * centre);
  });
  // Petals of the rose window.
  for (int i = 0; i < 8; ++i) {
    float a = kTau * i / 8 + 0.2f;
    float cx = wx + wr * 0.72f * std::cos(a), cy = wy + wr * 0.72f * std::sin(a);
    c.fill(ringShape(cx, cy, 9, 11), rgb(0x1E1A1A));
  }
  c.fill(circle(wx, wy, wr * 0.45f - 1.8f), [=](float x, float y) {
    float a = std::atan2(y - wy, x - wx);
    return hsv(40 + 20 * std::sin(a * 3), 0.8f, 0.95f);
  });
}

}  // namespace mediagen
