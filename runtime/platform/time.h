// Clocks and sleep.
#pragma once

#include <cstdint>

namespace mvn::platform {

// The high-resolution counter and its counts per second (0: none).
uint64_t performanceCounter();
uint64_t performanceFrequency();
// Milliseconds since some fixed point, wrapping at 2^32.
uint32_t tickCount();
void sleepMs(int milliseconds);
// Seconds since the epoch, from the wall clock.
int64_t wallClockSeconds();

}  // namespace mvn::platform
