#include "runtime/values/random.h"

#include <cstring>

namespace mvn {

IsaacState randomState;

namespace {

constexpr std::uint32_t kGoldenRatio = 0x9e3779b9;

void storeWords(std::uint32_t* target, const std::uint32_t words[8]) {
  std::memcpy(target, words, 8 * sizeof(std::uint32_t));
}

}  // namespace

void isaacMix(std::uint32_t w[8]) {
  std::uint32_t &a = w[0], &b = w[1], &c = w[2], &d = w[3], &e = w[4], &f = w[5], &g = w[6], &h = w[7];
  a ^= b << 11; d += a; b += c;
  b ^= c >> 2;  e += b; c += d;
  c ^= d << 8;  f += c; d += e;
  d ^= e >> 16; g += d; e += f;
  e ^= f << 10; h += e; f += g;
  f ^= g >> 4;  a += f; g += h;
  g ^= h << 8;  b += g; h += a;
  h ^= a >> 9;  c += h; a += b;
}

namespace {

// One of the batch's 256 steps; mixed is a after its shift for this step.
inline void isaacStep(std::uint32_t* m, std::uint32_t* r, int i, std::uint32_t mixed, std::uint32_t& a,
                      std::uint32_t& b) {
  std::uint32_t x = m[i];
  a = m[(i + 128) & 255] + mixed;
  std::uint32_t y = m[(x >> 2) & 255] + a + b;
  m[i] = y;
  b = m[(y >> 10) & 255] + x;
  r[i] = b;
}

}  // namespace

void isaacBatch(IsaacState& s) {
  std::uint32_t* m = s.memory;
  std::uint32_t* r = s.results;
  std::uint32_t a = s.accumulatorA;
  std::uint32_t b = s.accumulatorB + ++s.counterC;
  // The shifts 13, 6, 2 and 16 take turns, step by step.
  for (int i = 0; i < 256; i += 4) {
    isaacStep(m, r, i, a ^ (a << 13), a, b);
    isaacStep(m, r, i + 1, a ^ (a >> 6), a, b);
    isaacStep(m, r, i + 2, a ^ (a << 2), a, b);
    isaacStep(m, r, i + 3, a ^ (a >> 16), a, b);
  }
  s.accumulatorA = a;
  s.accumulatorB = b;
}

void isaacInitialise(IsaacState& s, std::uint32_t w[8]) {
  for (int i = 0; i < 4; ++i) isaacMix(w);
  for (int i = 0; i < 256; i += 8) {
    for (int k = 0; k < 8; ++k) w[k] += s.results[i + k];
    isaacMix(w);
    storeWords(s.memory + i, w);
  }
  for (int i = 0; i < 256; i += 8) {
    for (int k = 0; k < 8; ++k) w[k] += s.memory[i + k];
    isaacMix(w);
    storeWords(s.memory + i, w);
  }
  isaacBatch(s);
  s.resultCount = 256;
}

void seedRandom(std::uint32_t seed) {
  IsaacState& s = randomState;
  std::memset(&s, 0, sizeof s);
  std::uint32_t w[8];
  for (std::uint32_t& word : w) word = kGoldenRatio;
  // The seed goes into the working words before the published initialisation.
  for (int i = 0; i < 256; i += 8) {
    w[0] += seed;
    isaacMix(w);
    storeWords(s.memory + i, w);
  }
  isaacInitialise(s, w);
}

std::uint32_t nextRandom() {
  isaacBatch(randomState);
  return randomState.results[0];
}

int rnd(int n) {
  if (n <= 0) return 0;
  std::uint32_t w = nextRandom();
  return static_cast<int>(w % (static_cast<std::uint32_t>(n) + 1u));
}

}  // namespace mvn
