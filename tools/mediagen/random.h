// Deterministic random numbers and value noise for the media generator.
// Every picture and sound is drawn from a fixed seed, so a rerun writes the
// same pixels and samples.
#pragma once

#include <cmath>
#include <cstdint>

namespace mediagen {

// SplitMix64: small, fast and good enough for drawing.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1).
  double uniform() { return (next() >> 11) * (1.0 / 9007199254740992.0); }
  double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
  int below(int n) { return static_cast<int>(uniform() * n); }

 private:
  uint64_t state_;
};

inline uint32_t hash3(int x, int y, uint32_t seed) {
  uint32_t h = seed * 0x27D4EB2Du ^ static_cast<uint32_t>(x) * 0x85EBCA6Bu ^
               static_cast<uint32_t>(y) * 0xC2B2AE35u;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

inline float latticeValue(int x, int y, uint32_t seed) {
  return (hash3(x, y, seed) & 0xFFFFFF) / float(0xFFFFFF);
}

// Smooth value noise in [0, 1] with unit lattice spacing.
inline float valueNoise(float x, float y, uint32_t seed) {
  int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
  float fx = x - ix, fy = y - iy;
  float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  float a = latticeValue(ix, iy, seed), b = latticeValue(ix + 1, iy, seed);
  float c = latticeValue(ix, iy + 1, seed), d = latticeValue(ix + 1, iy + 1, seed);
  return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

// Fractal sum of value noise, roughly in [0, 1].
inline float fbm(float x, float y, uint32_t seed, int octaves = 4) {
  float sum = 0, amp = 0.5f, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * valueNoise(x, y, seed + 101u * i);
    norm += amp;
    x *= 2.03f;
    y *= 2.03f;
    amp *= 0.5f;
  }
  return sum / norm;
}

}  // namespace mediagen
