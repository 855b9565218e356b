// The falling blocks and the confetti strips.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "game/blocks.h"
#include "game/tapes.h"
#include "runtime/values/random.h"
#include "tests/game/recorder.h"

namespace quadrivolant_test {
namespace {

using quadrivolant::blocks;
using quadrivolant::tapes;

using EffectsTest = GameTest;

TEST_F(EffectsTest, SpawnedRecordsTakeTheirDrawsInOrder) {
  mvn::seedRandom(99);
  int d[9];
  const int blockRanges[9] = {800, 550, 2, 3, 255, 255, 255, 1, 5};
  for (int i = 0; i < 9; ++i) d[i] = mvn::rnd(blockRanges[i]);
  const int tapeRanges[6] = {790, 470, 5, 3, 20, 6};
  int t[6];
  for (int i = 0; i < 6; ++i) t[i] = mvn::rnd(tapeRanges[i]);

  mvn::seedRandom(99);
  quadrivolant::spawnBlock();
  quadrivolant::spawnTape();
  ASSERT_EQ(blocks.total, 1);
  const __MORVANE__::Tblock& b = blocks(0);
  EXPECT_EQ(b.x, d[0]);
  EXPECT_EQ(b.y, d[1]);
  EXPECT_EQ(b.sizeDivisor, d[2] + 1);
  EXPECT_EQ(b.speed, d[3] + 1);
  EXPECT_EQ(b.red, d[4]);
  EXPECT_EQ(b.green, d[5]);
  EXPECT_EQ(b.blue, d[6]);
  EXPECT_EQ(b.spareA, d[7]);
  EXPECT_EQ(b.spareF, d[8]);
  EXPECT_EQ(b.spareB + b.spareC + b.spareD + b.spareE, 0);

  ASSERT_EQ(tapes.total, 1);
  const __MORVANE__::Ttape& s = tapes(0);
  EXPECT_EQ(s.x, t[0] + 5);
  EXPECT_EQ(s.y, t[1] - 5);
  EXPECT_EQ(s.phase, t[2]);
  EXPECT_EQ(s.fallSpeed, t[3] + 2);
  EXPECT_EQ(s.spin, t[4] - 10);
  EXPECT_EQ(s.colour, t[5]);
  EXPECT_EQ(s.angle + s.tick + s.phaseDirection + s.spareA + s.spareB, 0);
}

__MORVANE__::Tblock block(double x, double y, double sizeDivisor, double speed) {
  __MORVANE__::Tblock b;
  b.x = x;
  b.y = y;
  b.sizeDivisor = sizeDivisor;
  b.speed = speed;
  return b;
}

TEST_F(EffectsTest, BlocksFallAndDrawAsTexturedSquares) {
  blocks.push(block(100, 50, 2, 3));
  quadrivolant::updateBlocks();
  EXPECT_EQ(blocks(0).y, 53);
  ASSERT_EQ(calls.size(), 6u);
  EXPECT_EQ(calls[0].args, (std::vector<double>{501, 0}));
  EXPECT_EQ(calls[1].args, (std::vector<double>{132, 53, 64, 0, 0xFFFFFF}));
  EXPECT_EQ(calls[2].args, (std::vector<double>{100, 53, 0, 0, 0xFFFFFF}));
  EXPECT_EQ(calls[3].args, (std::vector<double>{100, 85, 0, 64, 0xFFFFFF}));
  EXPECT_EQ(calls[4].args, (std::vector<double>{132, 85, 64, 64, 0xFFFFFF}));
  EXPECT_EQ(calls[5].name, "endPoly");
}

TEST_F(EffectsTest, ABlockPastTheBottomRespawnsAboveWithNewDraws) {
  blocks.push(block(100, 519, 1, 4));
  mvn::seedRandom(5);
  int x = mvn::rnd(900) - 50, size = mvn::rnd(6), speed = mvn::rnd(3) + 1;
  mvn::seedRandom(5);
  quadrivolant::updateBlocks();
  EXPECT_EQ(blocks(0).x, x);
  EXPECT_EQ(blocks(0).y, -100);
  EXPECT_EQ(blocks(0).sizeDivisor, size);
  EXPECT_EQ(blocks(0).speed, speed);
}

TEST_F(EffectsTest, ABlockWithDivisorZeroFallsUnseenAndNeverDrawsInfiniteCorners) {
  blocks.push(block(100, 400, 0, 4));
  blocks.push(block(10, 10, 1, 1));
  for (int n = 1; n <= 30; ++n) {
    calls.clear();
    quadrivolant::updateBlocks();
    EXPECT_EQ(blocks(0).y, 400 + 4 * n);
    EXPECT_EQ(countCalls("startPoly"), 1);  // only the second block
  }
  // Past 520 it respawns, and draws again unless the new divisor is 0 too.
  calls.clear();
  quadrivolant::updateBlocks();
  EXPECT_EQ(blocks(0).y, -100);
  EXPECT_EQ(countCalls("startPoly"), blocks(0).sizeDivisor == 0 ? 1 : 2);
  for (const Call& call : calls) {
    for (double v : call.args) EXPECT_TRUE(std::isfinite(v));
  }
}

__MORVANE__::Ttape tape(double phase, double tick, double phaseDirection) {
  __MORVANE__::Ttape t;
  t.x = 400;
  t.y = 100;
  t.fallSpeed = 2;
  t.spin = 7;
  t.colour = 3;
  t.phase = phase;
  t.tick = tick;
  t.phaseDirection = phaseDirection;
  return t;
}

TEST_F(EffectsTest, StripPhasesRunUpAndDownEveryThirdPass) {
  struct Case {
    double phase, tick, direction;
    std::vector<double> frames;  // drawn frames, colour 3 (frames 15..19)
  };
  const Case cases[] = {
      {0, 0, 0, {15, 15, 16, 16, 16, 17, 17, 17, 18, 18, 18, 19, 19, 19, 19, 19, 19, 18}},
      {5, 0, 0, {19, 19, 18, 18, 18, 17}},  // a drawn 5 shows as 4, then counts down
      {5, 2, 0, {19, 19, 19, 18}},
      {1, 2, 1, {15, 15, 15, 15, 15, 15, 16}},
  };
  for (const Case& c : cases) {
    tapes.dimension(0);
    tapes.push(tape(c.phase, c.tick, c.direction));
    std::vector<double> frames;
    for (size_t n = 0; n < c.frames.size(); ++n) {
      calls.clear();
      quadrivolant::updateTapes();
      ASSERT_EQ(countCalls("rotoZoomAnim"), 1);
      frames.push_back(calls.back().args[1]);
    }
    EXPECT_EQ(frames, c.frames) << "phase " << c.phase << " tick " << c.tick;
  }
}

TEST_F(EffectsTest, StripsJitterSpinAndComeBackAtTheTopKeepingTheirLook) {
  __MORVANE__::Ttape t = tape(2, 1, 1);
  t.y = 479;
  t.angle = 30;
  tapes.push(t);
  mvn::seedRandom(8);
  mvn::rnd(6);  // the jitter, undone by the new place
  int x = mvn::rnd(790) + 5, phase = mvn::rnd(5);
  mvn::seedRandom(8);
  quadrivolant::updateTapes();
  const __MORVANE__::Ttape& s = tapes(0);
  EXPECT_EQ(s.x, x);
  EXPECT_EQ(s.y, -10);
  EXPECT_EQ(s.angle, 37);
  EXPECT_EQ(s.spin, 7);
  EXPECT_EQ(s.colour, 3);
  EXPECT_EQ(s.fallSpeed, 2);
  EXPECT_EQ(s.tick, 2);
  EXPECT_EQ(s.phaseDirection, 1);
  EXPECT_EQ(s.phase, std::min(phase, 4));
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].args, (std::vector<double>{0}));  // nearest-texel sampling from the first strip on
  EXPECT_EQ(calls[1].args, (std::vector<double>{17, 15 + s.phase, 1.0 * x, -10, 37, 1}));
}

}  // namespace
}  // namespace quadrivolant_test
