// The wait on Windows: a waitable timer. A high-resolution timer (Windows 10
// 1803 on) wakes within a fraction of a millisecond; elsewhere the system's
// timer period is raised to 1 ms once, for the process's life, so a frame of
// 16.7 ms is not rounded up to the default 15.6 ms ticks.
#include "runtime/platform/precise_wait.h"

#include <windows.h>
#include <timeapi.h>

namespace mvn::platform {

namespace {

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

HANDLE frameTimer() {
  static const HANDLE timer = [] {
    HANDLE t = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                      TIMER_ALL_ACCESS);
    if (!t) {
      timeBeginPeriod(1);
      t = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    }
    return t;
  }();
  return timer;
}

}  // namespace

void waitNanoseconds(uint64_t ns) {
  if (ns == 0) return;
  const HANDLE timer = frameTimer();
  // Due times are in 100 ns units; a negative one is relative to now.
  LARGE_INTEGER due;
  due.QuadPart = -static_cast<LONGLONG>((ns + 99) / 100);
  if (timer && SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
    WaitForSingleObject(timer, INFINITE);
    return;
  }
  Sleep(static_cast<DWORD>((ns + 999999) / 1000000));
}

}  // namespace mvn::platform
