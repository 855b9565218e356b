// The sound system: the sound device shared with the music, and the table of
// 4096 sound slots (runtimeObjects.soundSystem and .soundChannels).
#pragma once

#include <cstdint>

#include "runtime/platform/window.h"

namespace mvn {

namespace platform {
struct SoundVoice;
}

constexpr int kSoundSlots = 4096;
constexpr int kVoicesPerSlot = 4;

struct SoundSystem {
  bool device = false;                      // samples can sound; false: silent run
  platform::WindowHandle window = nullptr;  // the window the device works for
};

// One sound slot. Voice 0 holds the sample; voices 1 to voiceCount - 1 share
// its data, so that the sample can sound up to four times at once.
struct SoundChannel {
  int32_t voiceCount = 0;  // 0: empty slot
  int32_t nextVoice = 0;   // the voice the next play tries first
  SoundSystem* system = nullptr;
  platform::SoundVoice* voices[kVoicesPerSlot] = {};
};
using SoundSlot = SoundChannel;

// Start-up: creates soundSystem and the cleared slot table, opens the device
// for window and points it at the renderer's window.
void createSoundSystem(platform::WindowHandle window);
// Shutdown, in this order: every slot released from the last to the first and
// the table freed; then the device released and soundSystem freed.
void destroySoundChannels();
void destroySoundSystem();

// 1 when samples can sound, 0 without a sound device (nothing sounds this run).
int createSoundDevice(platform::WindowHandle window);
// The device works for window from now on (after a change of screen).
void setSoundWindow(platform::WindowHandle window);
// Stops every sample and lets the device go; the sound output closes unless
// music still plays on it.
void releaseSoundDevice();

}  // namespace mvn
