#include "runtime/audio/sound_slots.h"

#include <string>

#include "runtime/audio/sound_system.h"
#include "runtime/audio/sound_wav.h"
#include "runtime/core/runtime_objects.h"
#include "runtime/files/shoebox.h"
#include "runtime/platform/audio.h"
#include "runtime/values/error_trace.h"
#include "runtime/values/errors.h"

namespace mvn {

namespace {

void forgetVoices(SoundChannel& channel) {
  for (platform::SoundVoice*& voice : channel.voices) {
    platform::releaseSoundVoice(voice);
    voice = nullptr;
  }
  channel.voiceCount = 0;
  channel.nextVoice = 0;
}

// Voice 0 holds the sample, the others share it; false leaves no voice.
bool makeVoices(SoundChannel& channel, const WavSample& wav, int voices) {
  channel.voices[0] = platform::createSoundVoice(wav.format, wav.data.get(), wav.size);
  if (!channel.voices[0]) {
    channel.system = nullptr;
    return false;
  }
  for (int i = 1; i < voices; ++i) {
    channel.voices[i] = platform::duplicateSoundVoice(channel.voices[0]);
    if (!channel.voices[i]) {
      forgetVoices(channel);
      return false;
    }
  }
  channel.voiceCount = voices;
  return true;
}

}  // namespace

SoundChannel* soundSlot(int slot) {
  if (slot < 0 || slot >= kSoundSlots || !runtimeObjects.soundChannels) return nullptr;
  return &runtimeObjects.soundChannels[slot];
}

void loadSound(TextRef fileRef, int slot, int voices) {
  const char* file = fileRef;
  errorCode = 0;
  if (slot < 0 || slot >= kSoundSlots) {
    failWith(7, "sound slot outside 0..4095", "loadSound", file, slot, voices);
    return;
  }
  std::string name = file ? file : "";
  if (!resolveFileName(name)) {
    failWith(3, "no such file on disk or in the archive", "loadSound", file, slot, voices);
    return;
  }
  SoundChannel* channel = soundSlot(slot);
  SoundSystem* system = runtimeObjects.soundSystem;
  if (channel) forgetVoices(*channel);
  if (voices < 1) voices = 1;
  if (voices > kVoicesPerSlot) voices = kVoicesPerSlot;
  if (!channel || !system || !system->device) {
    failWith(3, "no sound device: sound is silent", "loadSound", file, slot, voices);
    return;
  }
  channel->system = system;
  WavSample wav;
  if (!readWavSample(name.c_str(), wav)) {
    failWith(3, "not a WAV sample of 8 or 16 bits and 1 or 2 channels", "loadSound", file, slot, voices);
  } else if (!makeVoices(*channel, wav, voices)) {
    failWith(3, "the sound device refused the sample", "loadSound", file, slot, voices);
  }
}

int findFreeSoundSlot() {
  for (int slot = kSoundSlots - 1; slot >= 0; --slot) {
    const SoundChannel* channel = soundSlot(slot);
    if (channel && channel->voiceCount == 0) return slot;
  }
  failWith(7, "every sound slot is in use", "findFreeSoundSlot");
  return -1;
}

void releaseSoundSlot(int slot) {
  if (slot < 0 || slot >= kSoundSlots) {
    failWith(7, "sound slot outside 0..4095", "releaseSoundSlot", slot);
    return;
  }
  if (SoundChannel* channel = soundSlot(slot)) forgetVoices(*channel);
}

}  // namespace mvn
