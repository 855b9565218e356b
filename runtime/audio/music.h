// Music: one piece at a time, looped by the runtime on its millisecond clock.
#pragma once

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

// Plays file from its start, looping when loop is non-zero. Error code 0 on
// success, 3 when the file is not found (the previous music stops either way).
void playMusic(const char* file, int loop);

// Stops the music and closes its window. Returns 0.
int stopMusic();

// volume from 0.0 to 1.0.
void setMusicVolume(double volume);

// 1 while music plays (looping music always counts as playing), else 0.
int isMusicPlaying();

// Non-zero pauses, 0 resumes; a pause postpones the next loop restart by its length.
void pauseMusic(int pause);

// Restarts looping music from its beginning once its length has elapsed.
// Called once per presented frame and in every waiting loop.
void keepMusicLooping();

// The clock music is timed on, in milliseconds; null restores the runtime's timer.
void setMusicClock(double (*clock)());

}  // namespace mvn
