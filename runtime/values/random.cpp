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

void isaacBatch(IsaacState& s) {
  std::uint32_t* m = s.memory;
  std::uint32_t a = s.accumulatorA;
  std::uint32_t b = s.accumulatorB + ++s.counterC;
  for (int i = 0; i < 256; ++i) {
    std::uint32_t x = m[i];
    switch (i & 3) {
      case 0: a ^= a << 13; break;
      case 1: a ^= a >> 6; break;
      case 2: a ^= a << 2; break;
      case 3: a ^= a >> 16; break;
    }
    a += m[(i + 128) & 255];
    std::uint32_t y = m[(x >> 2) & 255] + a + b;
    m[i] = y;
    b = m[(y >> 10) & 255] + x;
    s.results[i] = b;
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
