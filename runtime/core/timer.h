// The runtime's millisecond clock and the frame times read from it.
#pragma once

#include "morvane/program.h"

namespace mvn {

// Frame times on the timerMs scale.
extern double currentFrameTime;   // taken by the latest presentFrame
extern double previousFrameTime;  // taken by the one before
extern double programTimeBase;    // end of start-up

void initTimer();




// All three frame times become the timer's present value.
void resetFrameTimes();
// Milliseconds per frame: 1000 / framesPerSecond, or 2 when it is 0 or less.
double framePeriodFor(int framesPerSecond);

}  // namespace mvn
