// The runtime's millisecond clock and the frame times read from it.
#pragma once

#include "morvane/program.h"

namespace mvn {

// Frame times on the timerMs scale.
extern double currentFrameTime;   // taken by the latest presentFrame
extern double previousFrameTime;  // taken by the one before
extern double programTimeBase;    // end of start-up

void initTimer();
// The timer's scale read from the clock itself, unrecorded: what the frame
// hold paces by. Equal to timerMs() but while a recorded run is replayed,
// when it counts the replay's own time since the first reading.
double pacingMs();
// All three frame times become the timer's present value.
void resetFrameTimes();
// Milliseconds per frame: 1000 / framesPerSecond, or 2 when it is 0 or less.
double framePeriodFor(int framesPerSecond);

}  // namespace mvn
