// Music: one piece at a time, looped by the runtime on its millisecond clock.
#pragma once

#include "morvane/audio.h"

#include <string>

namespace mvn {

namespace platform {
struct MediaWindow;
}

struct MusicState {
  platform::MediaWindow* window = nullptr;
  // Above 0: looping music, restarted when the clock reaches this value.
  // 0: the music plays once. Below 0: looping music that is paused; the
  // absolute value is the restart that was due when the pause began.
  double restartTime = 0;
  double pauseTime = 0;  // clock value at which looping music was paused
  double volume = -1.0;  // last applied, 1.0 full; -1: none applied yet
  std::string name;      // the last requested file
};

extern MusicState musicState;






// Restarts looping music from its beginning once its length has elapsed.
// Called once per presented frame and in every waiting loop.
void keepMusicLooping();

// The clock music is timed on, in milliseconds; null restores the runtime's timer.
void setMusicClock(double (*clock)());

}  // namespace mvn
