#include "sprites.h"

#include <cmath>
#include <vector>

#include "canvas.h"
#include "image_io.h"
#include "random.h"

namespace mediagen {
namespace {

constexpr float kPi = 3.14159265358979f;

// An arrow pointing up, centred on the origin, with rounded corners.
bool insideUpArrow(float x, float y) {
  static const std::vector<Point> outline = {{0, -14},  {13, 0},  {5, 0},  {5, 13},
                                             {-5, 13}, {-5, 0}, {-13, 0}};
  if (insidePolygon(outline, x, y)) return true;
  for (size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++) {
    if (segmentDistance(x, y, outline[j], outline[i]) <= 2.2f) return true;
  }
  return false;
}

// (x, y) in frame coordinates turned back into the up arrow's frame for a
// direction of quarter turns clockwise (0 up, 1 right, 2 down, 3 left).
Point unturn(float x, float y, float cx, float cy, int quarterTurns) {
  float dx = x - cx, dy = y - cy;
  for (int i = 0; i < quarterTurns; ++i) {
    float t = dx;  // rotate a quarter turn anticlockwise
    dx = dy;
    dy = -t;
  }
  return {dx, dy};
}

void drawArrow(Canvas& c, float left, float top, int direction, bool highlighted) {
  const float cx = left + 30, cy = top + 30;
  const float radius = highlighted ? 27.f : 25.f;
  auto vertical = [=](Color upper, Color lower) {
    return [=](float, float y) { return mix(upper, lower, clamp01((y - (cy - radius)) / (2 * radius))); };
  };
  if (highlighted) {
    c.fill(circle(cx, cy, 29.5f), rgb(0xFFB040, 0.25f));
    c.fill(circle(cx, cy, radius), vertical(rgb(0xFFD36E), rgb(0xF0861C)));
    c.fill(shape(Box{cx - radius, cy - radius, cx + radius, cy + radius},
                 [=](float x, float y) {
                   float d = std::hypot(x - cx, y - cy);
                   return d <= radius && d >= radius - 1.6f;
                 }),
           rgb(0xC2620A));
  } else {
    c.fill(circle(cx, cy, radius), vertical(rgb(0xF1F5FA, 0.92f), rgb(0xD2DCE9, 0.92f)));
    c.fill(shape(Box{cx - radius, cy - radius, cx + radius, cy + radius},
                 [=](float x, float y) {
                   float d = std::hypot(x - cx, y - cy);
                   return d <= radius && d >= radius - 1.4f;
                 }),
           rgb(0x8E9DB3));
  }
  Box box{left, top, left + 60, top + 60};
  // A soft shadow under the arrow, then the arrow itself.
  for (int k = 1; k <= 3; ++k) {
    float off = 0.7f * k;
    c.fill(shape(box,
                 [=](float x, float y) {
                   Point p = unturn(x, y - off, cx, cy, direction);
                   return insideUpArrow(p.x, p.y);
                 }),
           Color{0.1f, 0.12f, 0.2f, 0.12f});
  }
  Color face = highlighted ? rgb(0xFFFFFF) : rgb(0x3C4C66);
  Color faceLow = highlighted ? rgb(0xFFF2DA) : rgb(0x2A364C);
  c.fill(shape(box,
               [=](float x, float y) {
                 Point p = unturn(x, y, cx, cy, direction);
                 return insideUpArrow(p.x, p.y);
               }),
         [=](float, float y) { return mix(face, faceLow, clamp01((y - cy + 15) / 30)); });
}

}  // namespace

bool makeArrows(const std::string& dir) {
  // Four frames across, two rows: the normal arrows, then the highlighted ones.
  Canvas c(240, 120, 8);
  for (int row = 0; row < 2; ++row) {
    for (int direction = 0; direction < 4; ++direction) {
      drawArrow(c, direction * 60.f, row * 60.f, direction, row == 1);
    }
  }
  // The game's arrow pass draws every normal arrow three times a frame and a
  // highlighted one nine times, each over the last. Coverage a drawn n times
  // adds up to 1 - (1 - a)^n, so each pixel stores the a that adds up to the
  // coverage drawn here: soft edges and glows stay soft on screen.
  std::vector<uint8_t> rgba = c.rgba8();
  for (int y = 0; y < c.height(); ++y) {
    const double times = y < 60 ? 3 : 9;
    for (int x = 0; x < c.width(); ++x) {
      uint8_t& alpha = rgba[(static_cast<size_t>(y) * c.width() + x) * 4 + 3];
      if (alpha == 0 || alpha == 255) continue;
      double single = 1 - std::pow(1 - alpha / 255.0, 1 / times);
      alpha = static_cast<uint8_t>(std::max(1L, std::lround(single * 255)));
    }
  }
  return writePng(dir + "/arrows.png", c.width(), c.height(), rgba);
}

bool makeTicker(const std::string& dir) {
  // One row per colour, one column per phase of a strip turning about its
  // long axis: bright face, narrowing, edge-on, widening dark face.
  static const float hues[7] = {352, 24, 48, 128, 178, 218, 284};
  Canvas c(60, 84, 8);
  for (int colour = 0; colour < 7; ++colour) {
    Color bright = hsv(hues[colour], 0.78f, 1.0f);
    Color dark = hsv(hues[colour] - 6, 0.95f, 0.68f);
    for (int phase = 0; phase < 5; ++phase) {
      const float cx = phase * 12 + 6.f, cy = colour * 12 + 6.f;
      const float turn = phase * kPi / 4;
      const float half = std::max(0.55f, 2.5f * std::fabs(std::cos(turn)));
      const float slant = 0.6f * std::sin(turn);
      const bool front = phase < 2;
      Color base = phase == 2 ? mix(bright, dark, 0.5f) : (front ? bright : dark);
      auto strip = shape(Box{cx - 5, cy - 5.5f, cx + 5, cy + 5.5f}, [=](float x, float y) {
        float along = (y - cy) / 5.f;  // -1 .. 1
        float mid = cx + slant * along;
        return std::fabs(y - cy) <= 5.f && std::fabs(x - mid) <= half;
      });
      c.fill(strip, [=](float x, float y) {
        float across = (x - (cx + slant * (y - cy) / 5.f)) / std::max(half, 1.f);
        float shine = front ? 0.35f * std::exp(-4 * (across + 0.3f) * (across + 0.3f)) : 0.f;
        return mix(base, rgb(0xFFFFFF), shine);
      });
    }
  }
  return writePng(dir + "/ticker.png", c.width(), c.height(), c.rgba8());
}

bool makeBlock(const std::string& dir) {
  // A translucent glassy rounded square, light enough to stay behind the board.
  Canvas c(64, 64, 8);
  Color top = rgb(0x8EC5F2, 0.36f), bottom = rgb(0xB59BE6, 0.36f);
  c.fill(roundRect(3, 3, 61, 61, 13), [=](float x, float y) { return mix(top, bottom, clamp01((x + y - 6) / 116)); });
  auto ring = [](float inset, float width, float radius) {
    return shape(Box{0, 0, 64, 64}, [=](float x, float y) {
      auto inRound = [&](float i, float r) {
        float x0 = i, y0 = i, x1 = 64 - i, y1 = 64 - i;
        float dx = std::max({x0 + r - x, 0.f, x - (x1 - r)});
        float dy = std::max({y0 + r - y, 0.f, y - (y1 - r)});
        return x >= x0 && x < x1 && y >= y0 && y < y1 && dx * dx + dy * dy <= r * r;
      };
      return inRound(inset, radius) && !inRound(inset + width, radius - width);
    });
  };
  c.fill(ring(3, 2.0f, 13), [=](float x, float y) {
    return mix(rgb(0x6AA6E0, 0.7f), rgb(0x8E70D6, 0.7f), clamp01((x + y - 6) / 116));
  });
  // A highlight along the upper left of the face.
  c.fill(ring(7, 1.6f, 9), [](float x, float y) {
    return rgb(0xFFFFFF, 0.55f * clamp01(1.2f - (x + y) / 64));
  });
  return writePng(dir + "/block.png", c.width(), c.height(), c.rgba8());
}

bool makeStatic(const std::string& dir) {
  // 17 by 17 frames of 8 by 8: grey snow with a slight flicker per frame and
  // faint scan lines.
  constexpr int kFrames = 17, kSide = 8, kSize = kFrames * kSide;
  std::vector<uint8_t> rgba(kSize * kSize * 4);
  Random rng(0x57A71C);
  for (int fy = 0; fy < kFrames; ++fy) {
    for (int fx = 0; fx < kFrames; ++fx) {
      float brightness = static_cast<float>(rng.range(0.42, 0.60));
      float contrast = static_cast<float>(rng.range(0.75, 1.0));
      for (int y = 0; y < kSide; ++y) {
        float line = static_cast<float>(rng.range(-0.07, 0.07));
        if (rng.uniform() < 0.04) line += 0.25f;  // an occasional bright streak
        for (int x = 0; x < kSide; ++x) {
          float grain = static_cast<float>(rng.uniform() + rng.uniform()) - 1.f;  // -1 .. 1
          float v = clamp01(brightness + contrast * 0.5f * grain + line);
          uint8_t g = static_cast<uint8_t>(std::lround(v * 255));
          uint8_t* p = &rgba[((fy * kSide + y) * kSize + fx * kSide + x) * 4];
          p[0] = p[1] = g;
          p[2] = static_cast<uint8_t>(std::min(255, g + 4));  // a faint cold cast
          p[3] = 255;
        }
      }
    }
  }
  return writePng(dir + "/static.png", kSize, kSize, rgba);
}

}  // namespace mediagen
