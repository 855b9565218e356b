#include "scene_kit.h"

#include <cmath>

namespace mediagen {

Color Ramp::operator()(float t) const {
  if (t <= stops.front().first) return stops.front().second;
  for (size_t i = 1; i < stops.size(); ++i) {
    if (t <= stops[i].first) {
      float span = stops[i].first - stops[i - 1].first;
      return mix(stops[i - 1].second, stops[i].second, (t - stops[i - 1].first) / span);
    }
  }
  return stops.back().second;
}

void verticalRamp(Canvas& c, float x0, float y0, float x1, float y1, const Ramp& ramp) {
  c.fill(rect(x0, y0, x1, y1), [&](float, float y) { return ramp((y - y0) / (y1 - y0)); });
}

void glow(Canvas& c, float cx, float cy, float radius, Color colour) {
  c.fill(circle(cx, cy, radius), [=](float x, float y) {
    float d = std::hypot(x - cx, y - cy) / radius;
    float k = (1 - d) * (1 - d);
    return withAlpha(colour, colour.a * k);
  });
}

void ridge(Canvas& c, float base, float height, float scale, uint32_t seed, Color top, Color bottom,
           float x0, float x1) {
  auto topAt = [=](float x) { return base - height * fbm(x * scale, 0.5f, seed, 5); };
  c.fill(below(x0, x1, base - height, kPictureSize, topAt), [=](float x, float y) {
    float t = clamp01((y - topAt(x)) / (kPictureSize - base + height));
    float n = fbm(x * 0.08f, y * 0.08f, seed + 7, 3) - 0.5f;
    return scaled(mix(top, bottom, std::sqrt(t)), 1 + 0.12f * n);
  });
}

void cloud(Canvas& c, float cx, float cy, float width, Color colour, uint32_t seed) {
  // Puffs along a flat base, filled as one shape so that no seams show
  // between them, lit from above.
  Random rng(seed);
  struct Puff {
    float x, y, r;
  };
  std::vector<Puff> puffs;
  const int count = 7;
  for (int i = 0; i < count; ++i) {
    float t = (i + 0.5f) / count;
    float r = width * (0.12f + 0.14f * std::sin(t * 3.14159f)) * static_cast<float>(rng.range(0.8, 1.2));
    puffs.push_back({cx - width / 2 + t * width, cy - r * 0.3f + static_cast<float>(rng.range(-2, 2)), r});
  }
  const float base = cy + width * 0.09f, top = cy - width * 0.3f;
  auto inside = [=](float x, float y) {
    if (y > base) return false;
    if (std::fabs(x - cx) < width / 2 - width * 0.09f && y > cy - 2) return true;
    for (const Puff& p : puffs)
      if ((x - p.x) * (x - p.x) + (y - p.y) * (y - p.y) <= p.r * p.r) return true;
    return false;
  };
  c.fill(shape(Box{cx - width / 2 - width * 0.1f, top - width * 0.1f, cx + width / 2 + width * 0.1f, base}, inside),
         [=](float, float y) { return mix(colour, scaled(colour, 0.84f), smooth(top, base, y)); });
}

void stars(Canvas& c, float x0, float y0, float x1, float y1, int count, uint32_t seed) {
  Random rng(seed);
  for (int i = 0; i < count; ++i) {
    float x = static_cast<float>(rng.range(x0, x1)), y = static_cast<float>(rng.range(y0, y1));
    float r = static_cast<float>(0.4 + 1.1 * std::pow(rng.uniform(), 3));
    float warm = static_cast<float>(rng.uniform());
    Color col = mix(rgb(0xCFE0FF), rgb(0xFFF1C8), warm);
    if (r > 1.0f) glow(c, x, y, r * 4, withAlpha(col, 0.35f));
    c.fill(circle(x, y, r), col);
  }
}

void pine(Canvas& c, float x, float baseY, float height, Color colour) {
  float w = height * 0.42f;
  c.fill(rect(x - height * 0.04f, baseY - height * 0.2f, x + height * 0.04f, baseY), rgb(0x4A3222));
  for (int tier = 0; tier < 3; ++tier) {
    float top = baseY - height + tier * height * 0.22f;
    float bottom = baseY - height * 0.15f - (2 - tier) * height * 0.18f;
    float half = w * (0.55f + 0.22f * tier);
    Color shade = scaled(colour, 0.85f + 0.1f * tier);
    c.fill(polygon({{x, top}, {x + half, bottom}, {x - half, bottom}}), [=](float px, float) {
      return px > x ? scaled(shade, 0.8f) : shade;
    });
  }
}

void roundTree(Canvas& c, float x, float baseY, float height, Color leaves, uint32_t seed) {
  Random rng(seed);
  c.fill(polygon({{x - height * 0.05f, baseY}, {x + height * 0.05f, baseY}, {x + height * 0.025f, baseY - height * 0.6f},
                  {x - height * 0.025f, baseY - height * 0.6f}}),
         rgb(0x5A3C26));
  float r = height * 0.34f;
  float cy = baseY - height + r;
  for (int i = 0; i < 8; ++i) {
    float a = static_cast<float>(rng.range(0, 6.283));
    float d = static_cast<float>(rng.range(0, r * 0.45));
    float pr = r * static_cast<float>(rng.range(0.5, 0.75));
    float px = x + d * std::cos(a), py = cy + d * std::sin(a) * 0.8f;
    c.fill(circle(px, py, pr), [=](float qx, float qy) {
      float lit = clamp01(0.5f - ((qx - px) + (qy - py)) / (3 * pr));
      return mix(scaled(leaves, 0.72f), mix(leaves, rgb(0xFFFFFF), 0.15f), lit);
    });
  }
}

void house(Canvas& c, float x, float baseY, float width, float height, Color wall, Color roof,
           Color window) {
  float wallTop = baseY - height;
  c.fill(rect(x, wallTop, x + width, baseY), [=](float px, float) {
    return px > x + width * 0.7f ? scaled(wall, 0.85f) : wall;
  });
  c.fill(polygon({{x - width * 0.1f, wallTop + 1}, {x + width / 2, wallTop - height * 0.6f},
                  {x + width * 1.1f, wallTop + 1}}),
         roof);
  float ww = width * 0.2f;
  c.fill(rect(x + width * 0.15f, wallTop + height * 0.25f, x + width * 0.15f + ww, wallTop + height * 0.25f + ww), window);
  c.fill(rect(x + width * 0.62f, wallTop + height * 0.25f, x + width * 0.62f + ww, wallTop + height * 0.25f + ww), window);
  c.fill(rect(x + width * 0.4f, baseY - height * 0.45f, x + width * 0.58f, baseY), scaled(roof, 0.7f));
}

void boat(Canvas& c, float x, float waterY, float size, Color hull, Color sail) {
  c.fill(polygon({{x - size, waterY - size * 0.25f}, {x + size, waterY - size * 0.25f},
                  {x + size * 0.7f, waterY + size * 0.1f}, {x - size * 0.75f, waterY + size * 0.1f}}),
         hull);
  c.fill(rect(x - size * 0.03f, waterY - size * 1.6f, x + size * 0.03f, waterY - size * 0.25f), rgb(0x4A3A2A));
  c.fill(polygon({{x + size * 0.06f, waterY - size * 1.55f}, {x + size * 0.06f, waterY - size * 0.35f},
                  {x + size * 0.85f, waterY - size * 0.35f}}),
         sail);
  c.fill(polygon({{x - size * 0.06f, waterY - size * 1.2f}, {x - size * 0.06f, waterY - size * 0.35f},
                  {x - size * 0.6f, waterY - size * 0.35f}}),
         scaled(sail, 0.88f));
}

void bird(Canvas& c, float x, float y, float span, Color colour) {
  float h = span / 2;
  c.fill(segment({x - h, y - h * 0.35f}, {x - h * 0.4f, y - h * 0.45f}, span * 0.09f), colour);
  c.fill(segment({x - h * 0.4f, y - h * 0.45f}, {x, y}, span * 0.09f), colour);
  c.fill(segment({x, y}, {x + h * 0.4f, y - h * 0.45f}, span * 0.09f), colour);
  c.fill(segment({x + h * 0.4f, y - h * 0.45f}, {x + h, y - h * 0.35f}, span * 0.09f), colour);
}

void reflect(Canvas& c, float horizon, float x0, float x1, float y1, Color tint, float tintAmount,
             uint32_t seed) {
  c.fill(rect(x0, horizon, x1, y1), [&](float x, float y) {
    float depth = y - horizon;
    float ripple = (valueNoise(x * 0.04f, y * 0.35f, seed) - 0.5f) * (1.0f + depth * 0.04f);
    Color src = c.at(x + ripple, horizon - depth * 0.9f - 0.5f);
    float stripe = valueNoise(x * 0.02f, y * 0.35f, seed + 1);
    Color water = mix(src, tint, tintAmount + 0.15f * clamp01(depth / 120));
    return scaled(withAlpha(water, 1), 0.94f + 0.1f * stripe);
  });
}

void grain(Canvas& c, float amount, uint32_t seed) {
  c.fill(rect(0, 0, kPictureSize, kPictureSize), [=](float x, float y) {
    float n = latticeValue(static_cast<int>(x * 3), static_cast<int>(y * 3), seed);
    return n > 0.5f ? Color{1, 1, 1, amount * (n - 0.5f) * 2} : Color{0, 0, 0, amount * (0.5f - n) * 2};
  });
}

}  // namespace mediagen
