// Sound output, the media window that plays music, and sound samples.
//
// A media window holds one piece of music, opened from the bytes of a file.
// Lengths and positions are milliseconds, volumes run from 0 to 1000. Every
// operation on a null window does nothing and answers 0, and a window whose
// bytes could not be decoded behaves like an empty piece: length 0, silence.
// A piece whose length the decoder cannot tell reports kMediaLengthUnknown as
// its length and its end, and stands at that end once its stream has run out.
//
// Music and samples share the one sound output: opening it for either leaves
// what the other plays untouched.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace mvn::platform {

// Opens the sound output once per process (later calls return at once).
// Without a usable device it logs one line and opens a silent output, on
// which music plays on with its usual timing and produces no sound.
// Returns true when a real device was opened.
bool openAudioOutput();

// Closes the sound output; the next openAudioOutput opens it afresh.
void closeAudioOutput();

// True while the output that is open is the silent substitute.
bool audioOutputSilent();

// True while the sound output is open (on a device or on the silent substitute).
bool audioOutputOpen();

struct MediaWindow;

constexpr uint32_t kMediaLengthUnknown = 0xFFFFFFFFu;

// A new media window for the music in bytes, which it keeps for its life.
// Opens the sound output when that has not happened yet.
MediaWindow* createMediaWindow(std::vector<unsigned char> bytes);

// Stops the music and frees the window (the window's close message).
void closeMediaWindow(MediaWindow* window);

uint32_t mediaLength(MediaWindow* window);
uint32_t mediaPosition(MediaWindow* window);
uint32_t mediaEnd(MediaWindow* window);

void mediaSeekToStart(MediaWindow* window);
void mediaPlay(MediaWindow* window);   // from the current position
void mediaStop(MediaWindow* window);   // keeps the position
void mediaPause(MediaWindow* window);
void mediaResume(MediaWindow* window);
void mediaSetVolume(MediaWindow* window, int volume);  // held to 0..1000

// What a window was last told, for checks of the callers.
int mediaVolume(MediaWindow* window);
int mediaSeeksToStart(MediaWindow* window);

// The music volume of the mixer, 0 to 128.
int mixerMusicVolume();

// Sound samples. A sample is PCM held ready for the mixer; a voice plays it
// once, from its start, and several voices may share one sample so that it
// sounds several times at once.

// Opens the sound output when that has not happened yet. True when samples
// can sound: false on the silent substitute of a machine without a device.
bool openSoundDevice();
// Stops every voice. The sound output closes too, unless a media window still
// lives on it.
void closeSoundDevice();

struct PcmFormat {
  int channels = 1;        // 1 or 2
  int sampleRate = 0;      // frames per second
  int bitsPerSample = 16;  // 8 (unsigned) or 16 (signed, little-endian)
};

struct SoundVoice;

// Voice 0 of a new sample made of the whole frames of data. Null when the
// output is not open or the mixer cannot hold the sample (a format it does not
// take, a rate outside 100..200000, a converted size beyond its limit, memory).
SoundVoice* createSoundVoice(const PcmFormat& format, const unsigned char* data, size_t size);
// Another voice on the sample of voice. Null when memory runs out.
SoundVoice* duplicateSoundVoice(SoundVoice* voice);
// Stops the voice and frees it; the sample goes with its last voice.
void releaseSoundVoice(SoundVoice* voice);

// Plays the voice once from its start. volume: hundredths of a decibel, 0 full,
// -10000 silence; pan: hundredths of a decibel taken off the right side
// (negative) or the left side (positive), -10000 left only, 10000 right only.
// False when the mixer could not start it.
bool playSoundVoice(SoundVoice* voice, int volume, int pan);
bool soundVoicePlaying(SoundVoice* voice);
// Stops the voice; its next play starts from the beginning again.
void stopSoundVoice(SoundVoice* voice);

}  // namespace mvn::platform
