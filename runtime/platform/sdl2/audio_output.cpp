#include <SDL.h>
#include <SDL_mixer.h>

#include "runtime/core/log.h"
#include "runtime/platform/audio.h"
#include "runtime/platform/sdl2/audio_mixer.h"
#include "runtime/platform/sdl2/sound_library_hush.h"

namespace mvn::platform {

namespace {

bool outputOpen = false;
bool outputSilent = false;

// 44.1 kHz, 16-bit, stereo; the mixer converts every source to this.
// Without a device the drivers' probe fails quietly: this layer says what it
// means to say, the system's sound library nothing.
bool openMixer() {
  SoundLibraryHush hush;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (Mix_OpenAudioDevice(44100, AUDIO_S16SYS, 2, 2048, nullptr, 0) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_Init(MIX_INIT_MP3);
  return true;
}

}  // namespace

bool openAudioOutput() {
  if (outputOpen) return !outputSilent;
  outputOpen = true;
  outputSilent = false;
  if (openMixer()) return true;

  // No device: the driver that discards its output keeps the music's timing.
  // Nothing is logged; the loads of sounds say it through their error code.
  outputSilent = true;
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
  openMixer();  // should even that fail, media windows stay empty
  SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  return false;
}

void closeAudioOutput() {
  if (!outputOpen) return;
  forgetSoundChannels();
  if (Mix_QuerySpec(nullptr, nullptr, nullptr)) {
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  outputOpen = false;
  outputSilent = false;
}

bool audioOutputSilent() { return outputOpen && outputSilent; }

bool audioOutputOpen() { return outputOpen; }

}  // namespace mvn::platform
