// The frame hold and the timer's derived values, on a clock the test drives.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/app/frame_hold.h"
#include "runtime/core/timer.h"

namespace mvn {
namespace {

// Time passes only when the hold sleeps (with an overshoot) or pumps.
class ScriptedClock : public FrameClock {
 public:
  explicit ScriptedClock(double start, double overshoot = 0.1, double pumpCost = 0.05)
      : time(start), overshoot(overshoot), pumpCost(pumpCost) {}
  double now() override { return time; }
  void sleep(int ms) override {
    sleeps.push_back(ms);
    time += ms + overshoot;
  }
  void pump() override {
    ++pumps;
    time += pumpCost;
  }
  double time;
  double overshoot;
  double pumpCost;
  std::vector<int> sleeps;
  int pumps = 0;
};

TEST(FrameHold, SleepsUntilCloseThenWaitsOutTheLastMillisecond) {
  ScriptedClock clock(100.0);
  const double now = holdFrame(107.5, clock);
  ASSERT_FALSE(clock.sleeps.empty());
  EXPECT_EQ(clock.sleeps.front(), 4);  // 7.5 ms away: wakes 3 ms early, truncated
  EXPECT_LE(107.5 - now, 1.0);         // leaves once 1 ms or less remains
  EXPECT_GT(107.5 - now, 0.0);         // and not late
  for (size_t i = 1; i < clock.sleeps.size(); ++i) EXPECT_EQ(clock.sleeps[i], 1);
}

TEST(FrameHold, PassedDeadlineReturnsAtOnceAfterOnePump) {
  ScriptedClock clock(200.0);
  EXPECT_DOUBLE_EQ(holdFrame(150.0, clock), 200.05);
  EXPECT_TRUE(clock.sleeps.empty());
  EXPECT_EQ(clock.pumps, 1);
}

TEST(FrameHold, LongWaitSleepsMostOfItInOneGo) {
  ScriptedClock clock(0.0, 2.0);  // a coarse sleep that overshoots by 2 ms
  const double now = holdFrame(1000.0 / 60, clock);
  EXPECT_EQ(clock.sleeps.front(), 13);  // 16.67 - 3
  EXPECT_LE(1000.0 / 60 - now, 1.0);
  EXPECT_GT(1000.0 / 60 - now, -1.0);
}

TEST(FrameHold, NextDeadlineKeepsTheScheduleOrRestartsIt) {
  const double period = 1000.0 / 60;
  struct Case {
    double lateBy;
    double expectedNext;
  } cases[] = {
      {-0.5, 100 + period},     // on time
      {10, 100 + period},       // late by less than a period: schedule kept
      {20, 100 + 2 * period},   // up to two periods: one slot dropped
      {40, 140 + period},       // later: restarted from now
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(nextDeadline(100, period, 100 + c.lateBy), c.expectedNext) << c.lateBy;
}

TEST(Timer, FramePeriodAndLastFrameLength) {
  EXPECT_DOUBLE_EQ(framePeriodFor(60), 1000.0 / 60);
  EXPECT_DOUBLE_EQ(framePeriodFor(0), 2.0);
  EXPECT_DOUBLE_EQ(framePeriodFor(-5), 2.0);

  previousFrameTime = 100;
  currentFrameTime = 116.5;
  EXPECT_DOUBLE_EQ(lastFrameMs(), 16.5);
  currentFrameTime = 100;
  EXPECT_DOUBLE_EQ(lastFrameMs(), 1);
  currentFrameTime = 90;
  EXPECT_DOUBLE_EQ(lastFrameMs(), 1);
}

TEST(Timer, FirstReadingIsZeroAndTimeGoesOn) {
  initTimer();
  EXPECT_EQ(timerMs(), 0.0);
  sleepMs(2);
  const double later = timerMs();
  EXPECT_GT(later, 1.0);
  EXPECT_LT(later, 1000.0);
}

}  // namespace
}  // namespace mvn
