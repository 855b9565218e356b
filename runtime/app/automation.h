// Settings for unattended runs, read from the environment; each changes
// nothing while it is unset.
//   MORVANE_SEED=<decimal>   the random seed, instead of one from the clocks
//   MORVANE_FRAMES=<n>       the program ends after n presented frames
//   MORVANE_NO_MESSAGEBOX=1  message boxes go to the log instead of the screen
//   MORVANE_NO_FRAME_HOLD=1  frames are presented as fast as they are drawn
//   MORVANE_NO_BATCH=1       every drawing command draws at once (no draw batch)
// Recording a run and replaying it (MORVANE_RECORD, MORVANE_RECORD_FRAMES,
// MORVANE_REPLAY) is run_recording.h's.
#pragma once

#include <cstdint>

namespace mvn {

// The seed named by MORVANE_SEED; false when unset or not a decimal number.
bool automationSeed(uint32_t& seed);
// The frame count named by MORVANE_FRAMES; 0 when unset or not above 0.
long automationFrameLimit();
// True when MORVANE_NO_MESSAGEBOX is set to anything but "" or "0".
bool messageBoxesSuppressed();
// True when MORVANE_NO_FRAME_HOLD is set to anything but "" or "0".
bool frameHoldDisabled();
// True when MORVANE_NO_BATCH is set to anything but "" or "0".
bool drawBatchDisabled();

}  // namespace mvn
