#include "runtime/audio/music.h"

#include <climits>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include "runtime/core/runtime_objects.h"
#include "runtime/core/timer.h"
#include "runtime/files/rt_file.h"
#include "runtime/files/shoebox.h"
#include "runtime/input/mouse.h"
#include "runtime/platform/audio.h"
#include "runtime/values/errors.h"
#include "runtime/values/pause_state.h"
#include "runtime/values/error_trace.h"

namespace mvn {

MusicState musicState;

namespace {

double (*musicClock)() = nullptr;

double now() { return musicClock ? musicClock() : timerMs(); }

// Time from one start of the music to the next: its length, at least 500 ms.
uint32_t loopInterval() {
  uint32_t length = platform::mediaLength(musicState.window);
  return length > 499 ? length : 500;
}

// The whole file into bytes; false when it holds more than the mixer can
// take from memory (INT_MAX bytes) or the memory for it cannot be had. A file
// that cannot be read leaves bytes empty: the music then stays silent.
bool readWholeFile(const char* name, std::vector<unsigned char>& bytes) {
  bytes.clear();
  RtFile file;
  if (!file.openRead(name)) return true;
  const int64_t size = file.getSize();
  if (size > INT_MAX) return false;
  try {
    bytes.resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!bytes.empty() && !readExactly(file, bytes.data(), size)) bytes.clear();
  return true;
}

// Looping music whose length is not known starts over when its stream ends.
bool endedWithoutLength() {
  return platform::mediaLength(musicState.window) == platform::kMediaLengthUnknown &&
         platform::mediaPosition(musicState.window) >= platform::mediaEnd(musicState.window);
}

}  // namespace

void setMusicClock(double (*clock)()) { musicClock = clock; }

void playMusic(TextRef fileRef, int loop) {
  const char* file = fileRef;
  errorCode = 0;
  stopMusic();

  musicState.name = file ? file : "";
  std::string resolved = musicState.name;
  if (!resolveFileName(resolved)) {
    failWith(3, "no such file on disk or in the archive", "playMusic", file, loop);
    return;
  }

  std::vector<unsigned char> bytes;
  if (!readWholeFile(resolved.c_str(), bytes)) {
    failWith(3, "the file cannot be read", "playMusic", file, loop);
    return;
  }

  // The pointer stays hidden while the media window is made.
  const uint8_t pointerMode = suspendPointerMode();
  musicState.window = platform::createMediaWindow(std::move(bytes));
  uint32_t interval = loopInterval();
  musicState.restartTime = loop ? now() + interval : 0;
  platform::mediaSeekToStart(musicState.window);
  platform::mediaPlay(musicState.window);
  platform::setFocus(runtimeObjects.mainWindow);
  restorePointerMode(pointerMode);

  if (musicState.volume != 1.0) {
    musicState.volume = 1.0;
    platform::mediaSetVolume(musicState.window, 1000);
  }
  setPaused(0);
  cycleHiddenPointer();
}

int stopMusic() {
  musicState.volume = -1.0;
  musicState.restartTime = 0;
  platform::mediaStop(musicState.window);
  platform::closeMediaWindow(musicState.window);
  musicState.window = nullptr;
  return 0;
}

void setMusicVolume(double volume) {
  if (volume == musicState.volume) return;
  musicState.volume = volume;
  if (!musicState.window) return;
  // Held to the window's scale before truncating: a product outside the
  // integers (or NaN) has no integer value.
  double scaled = volume * 1000.0;
  if (!(scaled >= 0.0)) scaled = 0.0;
  if (scaled > 1000.0) scaled = 1000.0;
  platform::mediaSetVolume(musicState.window, static_cast<int>(scaled));
}

int isMusicPlaying() {
  if (!musicState.window) return 0;
  if (musicState.restartTime > 0) return 1;
  return platform::mediaPosition(musicState.window) < platform::mediaEnd(musicState.window) ? 1 : 0;
}

void pauseMusic(int pause) {
  if (!musicState.window) return;
  if (pause) {
    if (musicState.restartTime > 0) {
      musicState.pauseTime = now();
      musicState.restartTime = -musicState.restartTime;
    }
    platform::mediaPause(musicState.window);
  } else {
    if (musicState.restartTime < 0) {
      musicState.restartTime = -musicState.restartTime + (now() - musicState.pauseTime);
    }
    platform::mediaResume(musicState.window);
  }
}

void keepMusicLooping() {
  if (!(musicState.restartTime > 0)) return;
  if (now() < musicState.restartTime && !endedWithoutLength()) return;
  uint32_t interval = loopInterval();
  musicState.restartTime = now() + interval;
  platform::mediaPlay(musicState.window);
  platform::mediaSeekToStart(musicState.window);
  platform::mediaPlay(musicState.window);
}

}  // namespace mvn
