// The frame hold: how long the presenter waits after a swap, and when the
// next frame is due. Kept apart from the clock so that it can run on any.
#pragma once

namespace mvn {

class FrameClock {
 public:
  virtual ~FrameClock() = default;
  virtual double now() = 0;            // milliseconds
  virtual void sleep(int milliseconds) = 0;
  virtual void pump() = 0;             // handle pending window messages
};

// Waits, pumping messages, until at most 1 ms remains before deadline. Sleeps
// while more than 7 ms remain (waking 3 ms early, so that a coarse sleep
// never overshoots), then in 1 ms steps while more than 2 ms remain, and
// spins only for the last stretch. Returns the last reading of the clock.
double holdFrame(double deadline, FrameClock& clock);

// The deadline after one at `deadline`, presented at `now`: one period later
// while the frame is less than a period late, two periods later when it is
// up to two periods late, else one period after now.
double nextDeadline(double deadline, double period, double now);

}  // namespace mvn
