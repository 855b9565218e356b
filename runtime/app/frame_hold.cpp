#include "runtime/app/frame_hold.h"

namespace mvn {

double holdFrame(double deadline, FrameClock& clock) {
  for (;;) {
    clock.pump();
    const double now = clock.now();
    const double remaining = deadline - now;
    if (!(remaining > 1)) return now;
    double wake = remaining > 3 ? deadline - 2 : deadline - 1;
    if (wake > now + longestHoldSleepMs) wake = now + longestHoldSleepMs;
    clock.sleepUntil(wake);
  }
}

double nextDeadline(double deadline, double period, double now) {
  if (!(period > 0)) return deadline;
  double next = deadline + period;
  if (now > next) next += period;
  if (now > next) next = now + period;
  return next;
}

}  // namespace mvn
