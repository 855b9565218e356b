// The frame hold: how long the presenter waits after a swap, and when the
// next frame is due. Kept apart from the clock so that it can run on any.
#pragma once

namespace mvn {

class FrameClock {
 public:
  virtual ~FrameClock() = default;
  virtual double now() = 0;                 // milliseconds
  // Sleeps until now() reaches `when` (at once when it has); a clock may wake
  // a little late, never early by more than its own resolution.
  virtual void sleepUntil(double when) = 0;
  virtual void pump() = 0;                  // handle pending window messages
};

// The longest single sleep of the hold: messages are handled at least this often.
constexpr double longestHoldSleepMs = 100;

// Waits, pumping messages, until at most 1 ms remains before deadline. It never
// spins: it sleeps to 2 ms before the deadline, pumps, and sleeps again to 1 ms
// before it, so that a sleep that wakes late still wakes in time. A deadline
// that has passed (or is not a number) returns after one pump. Returns the
// last reading of the clock.
double holdFrame(double deadline, FrameClock& clock);

// The deadline after one at `deadline`, presented at `now`: one period later
// while the frame is less than a period late, two periods later when it is
// up to two periods late, else one period after now.
double nextDeadline(double deadline, double period, double now);

}  // namespace mvn
