// Sound output and the media window that plays music.
//
// A media window holds one piece of music, opened from the bytes of a file.
// Lengths and positions are milliseconds, volumes run from 0 to 1000. Every
// operation on a null window does nothing and answers 0, and a window whose
// bytes could not be decoded behaves like an empty piece: length 0, silence.
#pragma once

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

struct MediaWindow;

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

}  // namespace mvn::platform
