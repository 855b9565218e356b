// A program on the runtime for the sound tests: reports the sound device of
// the start, loads and plays MVN_SOUND_FILE in slot 3 when it is set, loops
// MVN_MUSIC_FILE when it is set, changes the screen and runs frames until
// MORVANE_FRAMES ends it. At the process exit it reports whether the sound
// output is still open.
#include <cstdio>
#include <cstdlib>

#include "runtime/app/frame_loop.h"
#include "runtime/app/program.h"
#include "runtime/app/window_context.h"
#include "runtime/audio/music.h"
#include "runtime/audio/sound_play.h"
#include "runtime/audio/sound_slots.h"
#include "runtime/audio/sound_system.h"
#include "runtime/core/runtime_objects.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/platform/audio.h"
#include "runtime/values/errors.h"

namespace mvn {

namespace {

void reportAtExit() {
  std::printf("output open=%d\n", platform::audioOutputOpen() ? 1 : 0);
  std::fflush(stdout);
}

}  // namespace

void applyGameSettings() {
  std::atexit(reportAtExit);
  runtimeSettings.screenWidth = 640;
  runtimeSettings.screenHeight = 480;
  runtimeSettings.fullScreen = 0;
  runtimeSettings.exclusiveMouse = 0;
  runtimeSettings.frameRate = 60;
  runtimeSettings.appName = "Sound Probe";
}

void gameMain() {
  const SoundSystem* system = runtimeObjects.soundSystem;
  std::printf("device=%d\n", system && system->device ? 1 : 0);
  if (const char* sound = std::getenv("MVN_SOUND_FILE")) {
    loadSound(sound, 3, 2);
    std::printf("load=%d\n", errorCode);
    std::printf("play=%d\n", playSound(3, 0.0, 1.0));
  }
  if (const char* music = std::getenv("MVN_MUSIC_FILE")) {
    playMusic(music, 1);
    std::printf("music=%d\n", errorCode);
  }
  setScreen(800, 480, 0);
  std::printf("window follows=%d\n", system && system->window == runtimeObjects.mainWindow ? 1 : 0);
  std::fflush(stdout);
  for (;;) showScreen();
}

}  // namespace mvn
