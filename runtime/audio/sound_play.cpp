#include "runtime/audio/sound_play.h"

#include <cmath>
#include <string>

#include "runtime/audio/sound_slots.h"
#include "runtime/core/runtime_objects.h"
#include "runtime/audio/sound_system.h"
#include "runtime/platform/audio.h"
#include "runtime/values/errors.h"
#include "runtime/values/error_trace.h"

namespace mvn {

namespace {

constexpr int kHandleLimit = kSoundSlots * 256;  // 0x100000

bool hasDevice(const SoundChannel& channel) {
  return channel.voiceCount > 0 && channel.system && channel.system->device;
}

// volume 0..1 as a whole percentage, then as hundredths of a decibel:
// 100 % is 0, 50 % is -602, 1 % is -4000, below 1 % silence.
int volumeInHundredthsDb(double volume) {
  const double percent = volume * 100.0;
  int whole = 0;
  if (percent >= 100.0)
    whole = 100;
  else if (percent > 0.0)
    whole = static_cast<int>(percent);
  if (whole < 1) return -10000;
  return static_cast<int>(std::log10(whole / 100.0) * 2000.0);
}

// pan -1..1 as hundredths of a decibel taken off the other side.
int panInHundredthsDb(double pan) {
  if (std::isnan(pan)) pan = 0.0;
  if (pan < -1.0) pan = -1.0;
  if (pan > 1.0) pan = 1.0;
  return static_cast<int>(pan * 10000.0);
}

void stopVoice(SoundChannel& channel, int voice) {
  platform::stopSoundVoice(channel.voices[voice]);
}

}  // namespace

int playSound(int slot, double pan, double volume) {
  if (slot < 0 || slot >= kSoundSlots) {
    failWith(7, "sound slot outside 0..4095", "playSound", slot, pan, volume);
    return 0;
  }
  const int panDb = panInHundredthsDb(pan);
  const int volumeDb = volumeInHundredthsDb(volume);
  SoundChannel* channel = soundSlot(slot);
  if (!channel || !hasDevice(*channel)) {
    const bool device = runtimeObjects.soundSystem && runtimeObjects.soundSystem->device;
    traceNoEffect(MVN_CALL_SITE(),
                  device ? "plays nothing: sound slot " + std::to_string(slot) + " is empty"
                         : std::string("plays nothing: no sound device"),
                  "playSound", slot, pan, volume);
    return -1;
  }

  // The voice tried first is nextVoice; while it sounds, a slot of one voice
  // refuses, a larger one moves on to the next voice, stopping it if need be.
  if (platform::soundVoicePlaying(channel->voices[channel->nextVoice])) {
    if (channel->voiceCount == 1) return -1;
    channel->nextVoice = (channel->nextVoice + 1) % channel->voiceCount;
    stopVoice(*channel, channel->nextVoice);
  }
  if (!platform::playSoundVoice(channel->voices[channel->nextVoice], volumeDb, panDb)) return -1;
  return slot * 256 + channel->nextVoice;
}

int isSoundPlaying(int handle) {
  if (handle < 0 || handle >= kHandleLimit) {
    failWith(7, "play handle outside 0..0xFFFFF", "isSoundPlaying", handle);
    return 0;
  }
  const SoundChannel* channel = soundSlot(handle / 256);
  const int voice = handle % 256;
  if (!channel || voice >= channel->voiceCount) return 0;
  return platform::soundVoicePlaying(channel->voices[voice]) ? 1 : 0;
}

void stopSound(int handle) {
  if (handle < 0 || handle >= kHandleLimit) return;
  SoundChannel* channel = soundSlot(handle / 256);
  if (!channel || !hasDevice(*channel)) return;
  const int voice = handle % 256;
  if (voice < channel->voiceCount) {
    stopVoice(*channel, voice);
    return;
  }
  for (int i = 0; i < channel->voiceCount; ++i) stopVoice(*channel, i);
}

void stopAllSounds() {
  for (int slot = 0; slot < kSoundSlots; ++slot) {
    SoundChannel* channel = soundSlot(slot);
    if (!channel) return;
    for (int i = 0; i < channel->voiceCount; ++i) stopVoice(*channel, i);
  }
}

}  // namespace mvn
