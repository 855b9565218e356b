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

// The word of m at byte offset (v & 0x3FC): m[(v >> 2) & 255] without the shift.
inline std::uint32_t wordAt(const std::uint32_t* m, std::uint32_t v) {
  return *reinterpret_cast<const std::uint32_t*>(reinterpret_cast<const unsigned char*>(m) + (v & 0x3FCu));
}

// One of the batch's 256 steps at p (m + i), whose partner is p[128] or
// p[-128] (at other); mixed is a after its shift for this step.
inline void isaacStep(const std::uint32_t* m, std::uint32_t* p, const std::uint32_t* other, std::uint32_t* r,
                      std::uint32_t mixed, std::uint32_t& a, std::uint32_t& b) {
  const std::uint32_t x = *p;
  a = *other + mixed;
  const std::uint32_t y = wordAt(m, x) + a + b;
  *p = y;
  b = wordAt(m, y >> 8) + x;
  *r = b;
}

// Steps for the words [first, first + 128), whose partners lie 128 words away
// in the other half.
inline void isaacHalf(std::uint32_t* m, std::uint32_t* first, std::uint32_t* partner, std::uint32_t* r,
                      std::uint32_t& accumulatorA, std::uint32_t& accumulatorB) {
  // Held in registers: the words the steps store could otherwise be them.
  std::uint32_t a = accumulatorA, b = accumulatorB;
  // The shifts 13, 6, 2 and 16 take turns, step by step.
  for (int i = 0; i < 128; i += 4) {
    isaacStep(m, first + i, partner + i, r + i, a ^ (a << 13), a, b);
    isaacStep(m, first + i + 1, partner + i + 1, r + i + 1, a ^ (a >> 6), a, b);
    isaacStep(m, first + i + 2, partner + i + 2, r + i + 2, a ^ (a << 2), a, b);
    isaacStep(m, first + i + 3, partner + i + 3, r + i + 3, a ^ (a >> 16), a, b);
  }
  accumulatorA = a;
  accumulatorB = b;
}

}  // namespace

void isaacBatch(IsaacState& s) {
  std::uint32_t* m = s.memory;
  std::uint32_t a = s.accumulatorA;
  std::uint32_t b = s.accumulatorB + ++s.counterC;
  isaacHalf(m, m, m + 128, s.results, a, b);
  isaacHalf(m, m + 128, m, s.results + 128, a, b);
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
