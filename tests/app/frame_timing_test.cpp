// The frame hold and the timer's derived values, on a clock the test drives.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "runtime/app/frame_hold.h"
#include "runtime/core/timer.h"
#include "runtime/platform/time.h"

namespace mvn {
namespace {

// Time passes only when the hold sleeps (waking late by an overshoot) or pumps.
class ScriptedClock : public FrameClock {
 public:
  explicit ScriptedClock(double start, double overshoot = 0.1, double pumpCost = 0.05)
      : time(start), overshoot(overshoot), pumpCost(pumpCost) {}
  double now() override { return time; }
  void sleepUntil(double when) override {
    wakes.push_back(when);
    aheadBy.push_back(when - time);
    if (when > time) time = when;
    time += overshoot;
    if (jumpAfterSleeps > 0 && int(wakes.size()) == jumpAfterSleeps) time = jumpTo;
  }
  void pump() override {
    ++pumps;
    time += pumpCost;
  }
  double time;
  double overshoot;
  double pumpCost;
  std::vector<double> wakes;    // the times asked for
  std::vector<double> aheadBy;  // how far ahead of the clock each was
  int pumps = 0;
  int jumpAfterSleeps = 0;      // > 0: the clock jumps to jumpTo after that many sleeps
  double jumpTo = 0;
};

TEST(FrameHold, SleepsTwiceToJustBeforeTheDeadlineAndNeverSpins) {
  ScriptedClock clock(100.0);
  const double now = holdFrame(107.5, clock);
  ASSERT_EQ(clock.wakes.size(), 2u);
  EXPECT_DOUBLE_EQ(clock.wakes[0], 105.5);  // 2 ms before the deadline
  EXPECT_DOUBLE_EQ(clock.wakes[1], 106.5);  // then 1 ms before it
  EXPECT_EQ(clock.pumps, 3);                // one pump per wake: no busy loop
  EXPECT_LE(107.5 - now, 1.0);
  EXPECT_GT(107.5 - now, 0.0);
}

TEST(FrameHold, SleepsThatWakeLateStillEndBeforeTheDeadline) {
  for (double overshoot : {0.0, 0.3, 0.9}) {
    ScriptedClock clock(0.0, overshoot, 0.01);
    const double period = 1000.0 / 60;
    const double now = holdFrame(period, clock);
    EXPECT_LE(period - now, 1.0) << overshoot;
    EXPECT_GT(period - now, 0.0) << overshoot;
    EXPECT_LE(clock.pumps, 4) << overshoot;
  }
}

TEST(FrameHold, PassedOrUnusableDeadlineReturnsAfterOnePump) {
  for (double deadline : {150.0, 200.9, std::nan("")}) {
    ScriptedClock clock(200.0);
    EXPECT_DOUBLE_EQ(holdFrame(deadline, clock), 200.05) << deadline;
    EXPECT_TRUE(clock.wakes.empty()) << deadline;
    EXPECT_EQ(clock.pumps, 1) << deadline;
  }
}

TEST(FrameHold, FarDeadlineSleepsInBoundedStepsPumpingBetween) {
  for (double deadline : {5000.0, 1e12, 1e300, std::numeric_limits<double>::infinity()}) {
    ScriptedClock clock(0.0);
    clock.jumpAfterSleeps = 5;  // the clock is moved past any deadline
    clock.jumpTo = std::numeric_limits<double>::infinity();
    holdFrame(deadline, clock);
    ASSERT_EQ(clock.wakes.size(), 5u) << deadline;
    for (double ahead : clock.aheadBy) {
      EXPECT_GT(ahead, 0.0) << deadline;
      EXPECT_LE(ahead, longestHoldSleepMs + 1e-9) << deadline;
    }
    EXPECT_EQ(clock.pumps, 6) << deadline;
  }
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
  EXPECT_DOUBLE_EQ(nextDeadline(100, std::nan(""), 120), 100);  // no usable period: no schedule
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

TEST(Timer, AbsoluteSleepNeverWakesBeforeItsDeadline) {
  const uint64_t frequency = platform::performanceFrequency();
  ASSERT_GT(frequency, 0u);
  // Distances in microseconds; a negative one is a deadline already passed.
  for (int64_t micros : {-500, 0, 50, 700, 3000}) {
    const uint64_t start = platform::performanceCounter();
    const uint64_t deadline = uint64_t(int64_t(start) + micros * int64_t(frequency) / 1000000);
    platform::sleepUntilCounter(deadline);
    EXPECT_GE(platform::performanceCounter(), deadline) << micros;
  }
}

}  // namespace
}  // namespace mvn
