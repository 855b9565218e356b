// Sound samples on the mixer's channels. A sample is one chunk converted to
// the output's format; each voice borrows a free channel while it plays, and
// the channels grow in number when every one is busy.
#include <SDL.h>
#include <SDL_mixer.h>

#include <climits>
#include <cmath>
#include <new>
#include <vector>

#include "runtime/platform/audio.h"
#include "runtime/platform/recording.h"
#include "runtime/platform/sdl2/audio_mixer.h"

namespace mvn::platform {

struct SoundSample {
  Mix_Chunk* chunk = nullptr;
  Uint8* buffer = nullptr;  // the converted frames, owned here
  int voices = 0;
};

struct SoundVoice {
  SoundSample* sample = nullptr;
  int channel = -1;  // the channel it was last played on, while it owns it
};

namespace {

constexpr int kMinRate = 100;
constexpr int kMaxRate = 200000;
constexpr uint64_t kMaxSampleBytes = 256u << 20;  // the conversion's work buffer
constexpr int kMaxChannels = 16384;                // 4 voices of 4096 slots

std::vector<SoundVoice*> channelOwners;  // by mixer channel

bool mixerOpen(int* rate, Uint16* format, int* channels) {
  return Mix_QuerySpec(rate, format, channels) != 0;
}

// A channel nobody plays on, growing the mixer's channels when all are busy.
int freeChannel() {
  const int count = Mix_AllocateChannels(-1);
  channelOwners.resize(static_cast<size_t>(count), nullptr);
  for (int channel = 0; channel < count; ++channel) {
    SoundVoice*& owner = channelOwners[channel];
    if (owner && Mix_Playing(channel)) continue;
    if (owner) owner->channel = -1;
    owner = nullptr;
    return channel;
  }
  if (count >= kMaxChannels) return -1;
  const int grown = count * 2 < kMaxChannels ? count * 2 : kMaxChannels;
  if (Mix_AllocateChannels(grown) != grown) return -1;
  channelOwners.resize(static_cast<size_t>(grown), nullptr);
  return count;
}

// Hundredths of a decibel as a gain: 0 is 1.0, -602 one half.
double gainOf(int hundredthsDb) { return std::pow(10.0, hundredthsDb / 2000.0); }

int mixerVolume(int volume) {
  if (volume <= -10000) return 0;
  if (volume >= 0) return MIX_MAX_VOLUME;
  return static_cast<int>(std::lround(MIX_MAX_VOLUME * gainOf(volume)));
}

Uint8 sideLevel(int attenuation) {
  if (attenuation >= 10000) return 0;
  if (attenuation <= 0) return 255;
  return static_cast<Uint8>(std::lround(255 * gainOf(-attenuation)));
}

}  // namespace

void forgetSoundChannels() {
  for (SoundVoice* owner : channelOwners)
    if (owner) owner->channel = -1;
  channelOwners.clear();
}

bool openSoundDevice() { return openAudioOutput(); }

void closeSoundDevice() {
  if (mixerOpen(nullptr, nullptr, nullptr)) {
    for (size_t channel = 0; channel < channelOwners.size(); ++channel)
      if (channelOwners[channel]) Mix_HaltChannel(static_cast<int>(channel));
  }
  forgetSoundChannels();
  if (liveMediaWindows() == 0) closeAudioOutput();
}

SoundVoice* createSoundVoice(const PcmFormat& format, const unsigned char* data, size_t size) {
  int outRate = 0, outChannels = 0;
  Uint16 outFormat = 0;
  if (!data || !mixerOpen(&outRate, &outFormat, &outChannels)) return nullptr;
  if (format.channels != 1 && format.channels != 2) return nullptr;
  if (format.bitsPerSample != 8 && format.bitsPerSample != 16) return nullptr;
  if (format.sampleRate < kMinRate || format.sampleRate > kMaxRate) return nullptr;

  const uint64_t frameBytes = static_cast<uint64_t>(format.channels) * format.bitsPerSample / 8;
  const uint64_t frames = size / frameBytes;
  if (frames == 0 || frames * frameBytes > INT_MAX) return nullptr;
  // A sample of a few frames at a rate above the output's would convert to
  // nothing: it is lengthened by repeats of its last frame to a little over
  // one output frame, so that it still loads and plays.
  const uint64_t shortest = static_cast<uint64_t>(format.sampleRate / (outRate > 0 ? outRate : 1)) + 2;
  const uint64_t inFrames = frames < shortest ? shortest : frames;
  const auto bytes = static_cast<int>(inFrames * frameBytes);

  // One conversion of the whole sample in a buffer that holds every step.
  SDL_AudioCVT cvt;
  const int steps = SDL_BuildAudioCVT(&cvt, format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB,
                                      static_cast<Uint8>(format.channels), format.sampleRate,
                                      outFormat, static_cast<Uint8>(outChannels), outRate);
  if (steps < 0) return nullptr;
  const uint64_t workBytes = static_cast<uint64_t>(bytes) * (steps ? cvt.len_mult : 1);
  if (workBytes > kMaxSampleBytes) return nullptr;
  auto* buffer = static_cast<Uint8*>(SDL_malloc(static_cast<size_t>(workBytes)));
  if (!buffer) return nullptr;
  SDL_memcpy(buffer, data, static_cast<size_t>(frames * frameBytes));
  for (uint64_t f = frames; f < inFrames; ++f)
    SDL_memcpy(buffer + f * frameBytes, data + (frames - 1) * frameBytes, static_cast<size_t>(frameBytes));
  cvt.buf = buffer;
  cvt.len = bytes;
  int converted = bytes;
  if (steps) converted = SDL_ConvertAudio(&cvt) == 0 ? cvt.len_cvt : 0;
  if (converted > 0 && static_cast<uint64_t>(converted) < workBytes) {
    if (auto* fitted = static_cast<Uint8*>(SDL_realloc(buffer, static_cast<size_t>(converted))))
      buffer = fitted;
  }

  Mix_Chunk* chunk = converted > 0 ? Mix_QuickLoad_RAW(buffer, static_cast<Uint32>(converted)) : nullptr;
  auto* sample = chunk ? new (std::nothrow) SoundSample : nullptr;
  auto* voice = sample ? new (std::nothrow) SoundVoice : nullptr;
  if (!voice) {
    delete sample;
    if (chunk) Mix_FreeChunk(chunk);  // a quick-loaded chunk leaves its buffer to us
    SDL_free(buffer);
    return nullptr;
  }
  sample->chunk = chunk;
  sample->buffer = buffer;
  sample->voices = 1;
  voice->sample = sample;
  return voice;
}

SoundVoice* duplicateSoundVoice(SoundVoice* voice) {
  if (!voice) return nullptr;
  auto* copy = new (std::nothrow) SoundVoice;
  if (!copy) return nullptr;
  copy->sample = voice->sample;
  copy->sample->voices++;
  return copy;
}

void releaseSoundVoice(SoundVoice* voice) {
  if (!voice) return;
  stopSoundVoice(voice);
  SoundSample* sample = voice->sample;
  delete voice;
  if (--sample->voices > 0) return;
  Mix_FreeChunk(sample->chunk);  // also halts any channel still playing it
  SDL_free(sample->buffer);
  delete sample;
}

namespace {

bool startVoice(SoundVoice* voice, int volume, int pan) {
  if (!voice || !mixerOpen(nullptr, nullptr, nullptr)) return false;
  stopSoundVoice(voice);
  const int channel = freeChannel();
  if (channel < 0) return false;
  // A halted channel has dropped its effects and is idle: the level and the
  // panning set now are the ones its play starts with.
  Mix_HaltChannel(channel);
  Mix_Volume(channel, mixerVolume(volume));
  Mix_SetPanning(channel, sideLevel(pan), sideLevel(-pan));
  if (Mix_PlayChannel(channel, voice->sample->chunk, 0) != channel) return false;
  channelOwners[channel] = voice;
  voice->channel = channel;
  return true;
}

bool voicePlaying(SoundVoice* voice) {
  if (!voice || voice->channel < 0) return false;
  const auto channel = static_cast<size_t>(voice->channel);
  return channel < channelOwners.size() && channelOwners[channel] == voice &&
         Mix_Playing(voice->channel) != 0;
}

}  // namespace

// Whether a voice starts and whether it still plays depend on the sound
// output's own thread: a replay answers them from the recording.
bool playSoundVoice(SoundVoice* voice, int volume, int pan) {
  return outsideValue(OutsideRead::SoundStarted, startVoice(voice, volume, pan) ? 1 : 0) != 0;
}

bool soundVoicePlaying(SoundVoice* voice) {
  return outsideValue(OutsideRead::SoundPlaying, voicePlaying(voice) ? 1 : 0) != 0;
}

void stopSoundVoice(SoundVoice* voice) {
  if (!voice || voice->channel < 0) return;
  const auto channel = static_cast<size_t>(voice->channel);
  if (channel < channelOwners.size() && channelOwners[channel] == voice) {
    if (mixerOpen(nullptr, nullptr, nullptr)) Mix_HaltChannel(voice->channel);
    channelOwners[channel] = nullptr;
  }
  voice->channel = -1;
}

}  // namespace mvn::platform
