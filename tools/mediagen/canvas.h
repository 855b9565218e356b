// A floating-point RGBA canvas drawn with supersampling: shapes are tested at
// ss by ss sample points per pixel, and the samples are averaged when the
// canvas is written out, which gives anti-aliased edges without any edge maths.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>
#include <utility>
#include <vector>

namespace mediagen {

struct Color {
  float r = 0, g = 0, b = 0, a = 1;
};

inline Color rgb(uint32_t hex, float alpha = 1) {
  return {((hex >> 16) & 255) / 255.f, ((hex >> 8) & 255) / 255.f, (hex & 255) / 255.f, alpha};
}

inline Color mix(Color p, Color q, float t) {
  return {p.r + (q.r - p.r) * t, p.g + (q.g - p.g) * t, p.b + (q.b - p.b) * t,
          p.a + (q.a - p.a) * t};
}

inline Color scaled(Color c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }
inline Color withAlpha(Color c, float a) { return {c.r, c.g, c.b, a}; }

// Hue in degrees, saturation and value in 0..1.
Color hsv(float hue, float sat, float val, float alpha = 1);

inline float clamp01(float v) { return std::min(1.f, std::max(0.f, v)); }
inline float smooth(float e0, float e1, float v) {
  float t = clamp01((v - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

struct Point {
  float x, y;
};

struct Box {
  float x0, y0, x1, y1;
};

template <class F>
struct Shape {
  Box box;
  F inside;
};

template <class F>
Shape<F> shape(Box box, F inside) {
  return {box, std::move(inside)};
}

inline auto circle(float cx, float cy, float r) {
  return shape(Box{cx - r, cy - r, cx + r, cy + r}, [=](float x, float y) {
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
  });
}

inline auto ellipse(float cx, float cy, float rx, float ry) {
  return shape(Box{cx - rx, cy - ry, cx + rx, cy + ry}, [=](float x, float y) {
    float u = (x - cx) / rx, v = (y - cy) / ry;
    return u * u + v * v <= 1;
  });
}

inline auto rect(float x0, float y0, float x1, float y1) {
  return shape(Box{x0, y0, x1, y1},
               [=](float x, float y) { return x >= x0 && x < x1 && y >= y0 && y < y1; });
}

inline auto roundRect(float x0, float y0, float x1, float y1, float radius) {
  return shape(Box{x0, y0, x1, y1}, [=](float x, float y) {
    float dx = std::max({x0 + radius - x, 0.f, x - (x1 - radius)});
    float dy = std::max({y0 + radius - y, 0.f, y - (y1 - radius)});
    return x >= x0 && x < x1 && y >= y0 && y < y1 && dx * dx + dy * dy <= radius * radius;
  });
}

// Distance from (x, y) to the segment a-b.
float segmentDistance(float x, float y, Point a, Point b);

inline auto segment(Point a, Point b, float width) {
  float h = width / 2;
  return shape(Box{std::min(a.x, b.x) - h, std::min(a.y, b.y) - h, std::max(a.x, b.x) + h,
                   std::max(a.y, b.y) + h},
               [=](float x, float y) { return segmentDistance(x, y, a, b) <= h; });
}

bool insidePolygon(const std::vector<Point>& poly, float x, float y);
Box boundsOf(const std::vector<Point>& poly);

inline auto polygon(std::vector<Point> poly) {
  Box box = boundsOf(poly);
  return shape(box, [p = std::move(poly)](float x, float y) { return insidePolygon(p, x, y); });
}

// Everything between the curve y = top(x) and the bottom edge bottom, for x in x0..x1.
template <class F>
auto below(float x0, float x1, float yMin, float yMax, F top) {
  return shape(Box{x0, yMin, x1, yMax}, [=](float x, float y) { return y >= top(x); });
}

class Canvas {
 public:
  Canvas(int width, int height, int supersample, Color background = {0, 0, 0, 0});

  int width() const { return width_; }
  int height() const { return height_; }

  // Composites paint (straight alpha, a Color or a function of (x, y)) over
  // every sample of the shape, in canvas pixel coordinates.
  template <class F, class P>
  void fill(const Shape<F>& s, const P& paint) {
    int sx0 = std::max(0, static_cast<int>(std::floor(s.box.x0 * ss_)));
    int sy0 = std::max(0, static_cast<int>(std::floor(s.box.y0 * ss_)));
    int sx1 = std::min(width_ * ss_, static_cast<int>(std::ceil(s.box.x1 * ss_)) + 1);
    int sy1 = std::min(height_ * ss_, static_cast<int>(std::ceil(s.box.y1 * ss_)) + 1);
    for (int sy = sy0; sy < sy1; ++sy) {
      float y = (sy + 0.5f) / ss_;
      for (int sx = sx0; sx < sx1; ++sx) {
        float x = (sx + 0.5f) / ss_;
        if (!s.inside(x, y)) continue;
        if constexpr (std::is_same_v<P, Color>) {
          over(sx, sy, paint);
        } else {
          over(sx, sy, paint(x, y));
        }
      }
    }
  }

  // The colour (straight alpha) at canvas coordinates, nearest sample, clamped to the canvas.
  Color at(float x, float y) const;

  // Averaged pixels, 8 bits each, straight alpha.
  std::vector<uint8_t> rgba8() const;
  std::vector<uint8_t> rgb8() const;

 private:
  void over(int sx, int sy, Color c) {
    float* p = &samples_[(static_cast<size_t>(sy) * width_ * ss_ + sx) * 4];
    float a = clamp01(c.a), k = 1 - a;
    p[0] = c.r * a + p[0] * k;
    p[1] = c.g * a + p[1] * k;
    p[2] = c.b * a + p[2] * k;
    p[3] = a + p[3] * k;
  }

  int width_, height_, ss_;
  std::vector<float> samples_;  // premultiplied RGBA
};

}  // namespace mediagen
