#include "runtime/values/random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/values/maths.h"

using namespace mvn;

namespace {

std::vector<std::uint32_t> referenceWords() {
  std::ifstream in(MORVANE_SOURCE_DIR "/tests/values/isaac-randvect.txt");
  std::vector<std::uint32_t> words;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    for (size_t p = 0; p + 8 <= line.size(); p += 8) {
      words.push_back(static_cast<std::uint32_t>(std::stoul(line.substr(p, 8), nullptr, 16)));
    }
  }
  return words;
}

// The batch as the generator's published description reads, step by step,
// every index masked.
void literalBatch(IsaacState& s) {
  std::uint32_t a = s.accumulatorA, b = s.accumulatorB + ++s.counterC;
  for (int i = 0; i < 256; ++i) {
    const int shift = i % 4;
    a ^= shift == 0 ? a << 13 : shift == 1 ? a >> 6 : shift == 2 ? a << 2 : a >> 16;
    const std::uint32_t x = s.memory[i];
    a += s.memory[(i + 128) % 256];
    const std::uint32_t y = s.memory[(x >> 2) % 256] + a + b;
    s.memory[i] = y;
    b = s.memory[(y >> 10) % 256] + x;
    s.results[i] = b;
  }
  s.accumulatorA = a;
  s.accumulatorB = b;
}

}  // namespace

// The runtime's batch is the literal one, word for word, over a million
// numbers from several seeds.
TEST(Isaac, BatchesAreTheLiteralOnesOverAMillionNumbers) {
  for (std::uint32_t seed : {0u, 1u, 20261211u, 0xFFFFFFFFu}) {
    seedRandom(seed);
    IsaacState literal = randomState;
    for (int batch = 0; batch < 1000000 / 256 + 1; ++batch) {
      const std::uint32_t drawn = nextRandom();
      literalBatch(literal);
      ASSERT_EQ(drawn, literal.results[0]) << "seed " << seed << ", batch " << batch;
      ASSERT_EQ(std::memcmp(randomState.results, literal.results, sizeof literal.results), 0)
          << "seed " << seed << ", batch " << batch;
      ASSERT_EQ(std::memcmp(randomState.memory, literal.memory, sizeof literal.memory), 0);
    }
  }
}

TEST(Isaac, MatchesThePublishedTestVector) {
  std::vector<std::uint32_t> expected = referenceWords();
  ASSERT_EQ(expected.size(), 512u);
  IsaacState state;
  std::memset(&state, 0, sizeof state);
  std::uint32_t words[8];
  for (std::uint32_t& w : words) w = 0x9e3779b9;
  isaacInitialise(state, words);  // with an all-zero seed array
  EXPECT_EQ(state.resultCount, 256u);
  for (int batch = 0; batch < 2; ++batch) {
    isaacBatch(state);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(state.results[i], expected[batch * 256 + i]) << batch << ":" << i;
  }
}

TEST(Isaac, NextRandomIsTheFirstWordOfEachBatch) {
  seedRandom(1234);
  IsaacState copy = randomState;
  for (int i = 0; i < 3; ++i) {
    isaacBatch(copy);
    EXPECT_EQ(nextRandom(), copy.results[0]);
  }
}

TEST(Rnd, RangeSeedsAndNonPositiveArguments) {
  seedRandom(77);
  std::vector<int> first;
  for (int i = 0; i < 50; ++i) first.push_back(rnd(280));
  seedRandom(77);
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(rnd(0), 0);  // draws nothing
    EXPECT_EQ(rnd(-5), 0);
    EXPECT_EQ(rnd(280), first[i]);
  }
  seedRandom(78);
  std::vector<int> other;
  for (int i = 0; i < 50; ++i) other.push_back(rnd(280));
  EXPECT_NE(first, other);

  seedRandom(5);
  bool seen[3] = {false, false, false};
  for (int i = 0; i < 200; ++i) {
    int r = rnd(2);
    ASSERT_GE(r, 0);
    ASSERT_LE(r, 2);
    seen[r] = true;
  }
  EXPECT_TRUE(seen[0] && seen[1] && seen[2]);

  seedRandom(9);
  IsaacState copy = randomState;
  isaacBatch(copy);
  EXPECT_EQ(rnd(2147483647), static_cast<int>(copy.results[0] & 0x7fffffffu));
  isaacBatch(copy);
  EXPECT_EQ(static_cast<std::uint32_t>(rnd(12)), copy.results[0] % 13);
}

TEST(Maths, DegreesAndGuardedOperations) {
  EXPECT_NEAR(sinDeg(30), 0.5, 1e-12);
  EXPECT_NEAR(cosDeg(60), 0.5, 1e-12);
  EXPECT_NEAR(tanDeg(45), 1, 1e-12);
  EXPECT_NEAR(asinDeg(0.5), 30, 1e-9);
  EXPECT_NEAR(acosDeg(0.5), 60, 1e-9);
  EXPECT_NEAR(atan2Deg(1, -1), 135, 1e-9);
  EXPECT_EQ(asinDeg(1.5), 90);
  EXPECT_EQ(asinDeg(-1), -90);
  EXPECT_EQ(acosDeg(-2), 180);
  EXPECT_EQ(acosDeg(1), 0);
  EXPECT_TRUE(std::isnan(squareRoot(-1)));
  EXPECT_EQ(squareRoot(16), 4);
  EXPECT_NEAR(naturalLog(std::exp(2.0)), 2, 1e-12);
  EXPECT_EQ(power(2, 10), 1024);
  EXPECT_EQ(floorOf(-2.5), -3);
  EXPECT_EQ(ceilOf(-2.5), -2);

  struct IntCase {
    int a, b, r;
  } ints[] = {{-7, 3, -1}, {7, -3, 1}, {7, 3, 1}, {7, 0, 0}, {INT32_MIN, -1, 0}, {INT32_MIN, 3, -2}};
  for (const IntCase& c : ints) EXPECT_EQ(intMod(c.a, c.b), c.r) << c.a << " mod " << c.b;
  EXPECT_EQ(floatMod(5.5, 0), 0);
  EXPECT_EQ(floatMod(-5.5, 2), -1.5);

  struct TruncCase {
    double value;
    int result;
  } truncs[] = {{2.9, 2}, {-2.9, -2}, {1e12, INT32_MAX}, {-1e12, INT32_MIN}, {NAN, 0}};
  for (const TruncCase& c : truncs) EXPECT_EQ(truncateToInt(c.value), c.result) << c.value;
}
