#include "runtime/core/timer.h"

#include <cstdint>

#include "runtime/platform/time.h"

namespace mvn {

double currentFrameTime = 0;
double previousFrameTime = 0;
double programTimeBase = 0;

namespace {
int hasPerfCounter = 0;
double perfFrequency = 0;
double timerBase = 0;  // first reading, ms; 0: not read yet
double liveBase = -1;  // the clock itself at the first reading, ms; -1: not read yet

// A counter reading in milliseconds. Whole seconds and the remainder apart:
// counter * 1000 would overflow 64 bits after a few months of uptime with a
// nanosecond counter.
double counterMs(uint64_t counter, uint64_t frequency) {
  return static_cast<double>(counter / frequency) * 1000.0 +
         static_cast<double>(counter % frequency) * 1000.0 / static_cast<double>(frequency);
}

// Milliseconds of the clock itself (never recorded or replayed); -1 when it
// has no high-resolution counter.
double liveMs() {
  const uint64_t frequency = platform::liveFrequency();
  return frequency == 0 ? -1 : counterMs(platform::liveCounter(), frequency);
}
}  // namespace

void initTimer() {
  hasPerfCounter = 0;
  const uint64_t frequency = platform::performanceFrequency();
  if (frequency > 0) {
    hasPerfCounter = 1;
    perfFrequency = static_cast<double>(frequency);
  }
}

double timerMs() {
  if (hasPerfCounter) {
    const double ms = counterMs(platform::performanceCounter(), static_cast<uint64_t>(perfFrequency));
    if (timerBase == 0) {
      timerBase = ms;
      liveBase = liveMs();
      return 0;
    }
    return ms - timerBase;
  }
  if (timerBase == 0) timerBase = platform::tickCount();
  return platform::tickCount() - timerBase;
}

double pacingMs() {
  if (liveBase < 0) return timerMs();
  const double now = liveMs();
  return now < 0 ? timerMs() : now - liveBase;
}

double programTimeMs() { return timerMs() - programTimeBase; }

double lastFrameMs() {
  const double length = currentFrameTime - previousFrameTime;
  return length > 0 ? length : 1;
}

void sleepMs(int milliseconds) { platform::sleepMs(milliseconds); }

void resetFrameTimes() {
  const double now = timerMs();
  currentFrameTime = previousFrameTime = programTimeBase = now;
}

double framePeriodFor(int framesPerSecond) {
  return framesPerSecond > 0 ? 1000.0 / framesPerSecond : 2.0;
}

}  // namespace mvn
