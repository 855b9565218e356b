// Clocks and sleep.
#pragma once

#include <cstdint>

namespace mvn::platform {

// The high-resolution counter and its counts per second (0: none).
uint64_t performanceCounter();
uint64_t performanceFrequency();
// The same, always from the clock itself, also while a run is replayed
// (recording.h): for pacing, never for what the program sees.
uint64_t liveCounter();
uint64_t liveFrequency();
// Milliseconds since some fixed point, wrapping at 2^32.
uint32_t tickCount();
void sleepMs(int milliseconds);
// Sleeps until the high-resolution counter reaches `counter` (returns at once
// when it has). The deadline is absolute: a sleep that is interrupted and
// resumed, or that starts late, still wakes at the same moment.
void sleepUntilCounter(uint64_t counter);
// Seconds since the epoch, from the wall clock.
int64_t wallClockSeconds();

}  // namespace mvn::platform
