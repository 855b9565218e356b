/// @file
/// Music and sound samples.
///
/// Music: one piece at a time (MP3, OGG, WAV and the other formats the
/// mixer reads), from a file on disk, in the archive or an in-memory name.
/// Sounds: WAV samples (8 or 16 bits, 1 or 2 channels) in sound slots 0 to
/// 4095, each with up to 4 voices so that a sample can sound several times
/// at once. A machine without a sound device runs silent: music commands
/// succeed without sound, sound loads fail with mvn::kErrorNoSuchFile and plays
/// answer -1; nothing is logged (MORVANE_TRACE_ERRORS=1 says why loads fail).
#pragma once

#include "morvane/text.h"

namespace mvn {

/// @name Music
/// @{

/// Plays a piece of music from its start; the previous music stops.
/// @param file the file's name, on disk, in the archive or in memory
/// @param loop non-zero: restart it whenever it ends, until stopMusic()
/// @note Clears ::errorCode on success; sets ::kErrorNoSuchFile when the file
///       cannot be found.
void playMusic(TextRef file, int loop);
/// Stops the music. @return 0
int stopMusic();
/// @param volume 0.0 (silent) to 1.0 (full)
void setMusicVolume(double volume);
/// @return 1 while music plays (looping music always counts), else 0
int isMusicPlaying();
/// Pauses or resumes the music; a pause postpones the next loop restart by
/// its length.
/// @param pause non-zero pauses, 0 resumes
void pauseMusic(int pause);
/// @}

/// @name Sound samples
/// @{

/// Loads a WAV file into a sound slot, replacing what it held.
/// @param file the file's name, on disk, in the archive or in memory
/// @param slot the sound slot, 0 to 4095
/// @param voices how many plays may sound at once, held to 1..4
/// @note Clears ::errorCode on success; sets ::kErrorNoSuchFile when the file
///       is not found or not a WAV sample, or there is no sound device (the
///       slot is then empty), ::kErrorOutOfRange for a slot outside 0..4095.
void loadSound(TextRef file, int slot, int voices);
/// Plays a slot's sample once, on its next voice.
/// @param slot the sound slot, 0 to 4095
/// @param pan -1 left only, 0 centre, 1 right only
/// @param volume 0 to 1, heard at 20 x log10(volume) decibels; below 0.01 silent
/// @return a handle for isSoundPlaying() and stopSound() (slot x 256 +
///         voice); -1 for an empty slot, no sound device, or a one-voice
///         slot still sounding; 0 with ::kErrorOutOfRange for a slot outside 0..4095
int playSound(int slot, double pan, double volume);
/// @param handle a play's handle
/// @return 1 while that play sounds, else 0
/// @note Sets ::kErrorOutOfRange for a handle outside 0..0xFFFFF.
int isSoundPlaying(int handle);
/// Stops a play and rewinds its voice.
/// @param handle a play's handle; with a voice number the slot does not
///        have, every voice of the slot stops
void stopSound(int handle);
/// Stops every sound.
void stopAllSounds();
/// @return the highest-numbered empty sound slot; -1 with ::kErrorOutOfRange
///         when every slot is used
int findFreeSoundSlot();
/// Empties a sound slot, stopping its voices.
/// @param slot the sound slot, 0 to 4095
/// @note Sets ::kErrorOutOfRange for a slot outside 0..4095.
void releaseSoundSlot(int slot);
/// @}

}  // namespace mvn
