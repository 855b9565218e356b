#include "canvas.h"

namespace mediagen {

Color hsv(float hue, float sat, float val, float alpha) {
  float h = std::fmod(std::fmod(hue, 360.f) + 360.f, 360.f) / 60.f;
  int i = static_cast<int>(h);
  float f = h - i, p = val * (1 - sat), q = val * (1 - sat * f), t = val * (1 - sat * (1 - f));
  switch (i) {
    case 0: return {val, t, p, alpha};
    case 1: return {q, val, p, alpha};
    case 2: return {p, val, t, alpha};
    case 3: return {p, q, val, alpha};
    case 4: return {t, p, val, alpha};
    default: return {val, p, q, alpha};
  }
}

float segmentDistance(float x, float y, Point a, Point b) {
  float dx = b.x - a.x, dy = b.y - a.y;
  float len2 = dx * dx + dy * dy;
  float t = len2 > 0 ? clamp01(((x - a.x) * dx + (y - a.y) * dy) / len2) : 0;
  float ex = a.x + t * dx - x, ey = a.y + t * dy - y;
  return std::sqrt(ex * ex + ey * ey);
}

bool insidePolygon(const std::vector<Point>& poly, float x, float y) {
  bool in = false;
  for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const Point& a = poly[i];
    const Point& b = poly[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
  }
  return in;
}

Box boundsOf(const std::vector<Point>& poly) {
  Box box{1e9f, 1e9f, -1e9f, -1e9f};
  for (const Point& p : poly) {
    box.x0 = std::min(box.x0, p.x);
    box.y0 = std::min(box.y0, p.y);
    box.x1 = std::max(box.x1, p.x);
    box.y1 = std::max(box.y1, p.y);
  }
  return box;
}

Canvas::Canvas(int width, int height, int supersample, Color background)
    : width_(width), height_(height), ss_(supersample),
      samples_(static_cast<size_t>(width) * height * supersample * supersample * 4) {
  for (size_t i = 0; i < samples_.size(); i += 4) {
    samples_[i] = background.r * background.a;
    samples_[i + 1] = background.g * background.a;
    samples_[i + 2] = background.b * background.a;
    samples_[i + 3] = background.a;
  }
}

Color Canvas::at(float x, float y) const {
  int sx = std::clamp(static_cast<int>(x * ss_), 0, width_ * ss_ - 1);
  int sy = std::clamp(static_cast<int>(y * ss_), 0, height_ * ss_ - 1);
  const float* p = &samples_[(static_cast<size_t>(sy) * width_ * ss_ + sx) * 4];
  if (p[3] <= 0) return {0, 0, 0, 0};
  return {p[0] / p[3], p[1] / p[3], p[2] / p[3], p[3]};
}

std::vector<uint8_t> Canvas::rgba8() const {
  std::vector<uint8_t> out(static_cast<size_t>(width_) * height_ * 4);
  const float n = static_cast<float>(ss_ * ss_);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      float sum[4] = {0, 0, 0, 0};
      for (int j = 0; j < ss_; ++j) {
        const float* row = &samples_[(static_cast<size_t>(y * ss_ + j) * width_ * ss_ + x * ss_) * 4];
        for (int i = 0; i < ss_ * 4; ++i) sum[i % 4] += row[i];
      }
      float a = sum[3] / n;
      uint8_t* o = &out[(static_cast<size_t>(y) * width_ + x) * 4];
      for (int c = 0; c < 3; ++c) {
        float v = a > 0 ? sum[c] / n / a : 0;
        o[c] = static_cast<uint8_t>(std::lround(clamp01(v) * 255));
      }
      o[3] = static_cast<uint8_t>(std::lround(clamp01(a) * 255));
    }
  }
  return out;
}

std::vector<uint8_t> Canvas::rgb8() const {
  std::vector<uint8_t> rgba = rgba8();
  std::vector<uint8_t> out(static_cast<size_t>(width_) * height_ * 3);
  for (size_t i = 0, j = 0; i < rgba.size(); i += 4, j += 3) {
    float a = rgba[i + 3] / 255.f;  // an opaque picture has a = 1; anything else is shown on black
    for (int c = 0; c < 3; ++c) out[j + c] = static_cast<uint8_t>(std::lround(rgba[i + c] * a));
  }
  return out;
}

}  // namespace mediagen
