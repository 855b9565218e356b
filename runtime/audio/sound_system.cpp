#include "runtime/audio/sound_system.h"

#include <new>

#include "runtime/audio/sound_slots.h"
#include "runtime/core/runtime_objects.h"
#include "runtime/platform/audio.h"

namespace mvn {

void createSoundSystem(platform::WindowHandle window) {
  runtimeObjects.soundSystem = new (std::nothrow) SoundSystem;
  runtimeObjects.soundChannels = new (std::nothrow) SoundChannel[kSoundSlots];
  createSoundDevice(window);
  setSoundWindow(window);
}

void destroySoundChannels() {
  if (!runtimeObjects.soundChannels) return;
  for (int slot = kSoundSlots - 1; slot >= 0; --slot) releaseSoundSlot(slot);
  delete[] runtimeObjects.soundChannels;
  runtimeObjects.soundChannels = nullptr;
}

void destroySoundSystem() {
  releaseSoundDevice();
  delete runtimeObjects.soundSystem;
  runtimeObjects.soundSystem = nullptr;
}

int createSoundDevice(platform::WindowHandle window) {
  SoundSystem* system = runtimeObjects.soundSystem;
  // A machine without a sound device runs on the silent output; the output
  // has said so in the log once.
  const bool device = platform::openSoundDevice();
  if (!system) return 0;
  system->device = device;
  if (!device) return 0;
  system->window = window;
  return 1;
}

void setSoundWindow(platform::WindowHandle window) {
  SoundSystem* system = runtimeObjects.soundSystem;
  if (system && system->device) system->window = window;
}

void releaseSoundDevice() {
  if (SoundSystem* system = runtimeObjects.soundSystem) {
    system->device = false;
    system->window = nullptr;
  }
  platform::closeSoundDevice();
}

}  // namespace mvn
