// Playing sound slots: a play takes one of the slot's voices and answers a
// handle, slot * 256 + voice, by which that voice is asked about or stopped.
#pragma once

namespace mvn {

// Plays the slot's sample once. pan from -1 (left only) to 1 (right only);
// volume from 0 to 1, heard at log10(volume) * 20 decibels, silent below 0.01.
// Answers the play handle; -1 for an empty slot, no sound device, a slot of
// one voice that still sounds, or a play the mixer refuses; 0 with error code
// 7 for a slot outside 0..4095.
int playSound(int slot, double pan, double volume);

// 1 while the voice of handle sounds, else 0; error code 7 for a handle
// outside 0..0xFFFFF.
int isSoundPlaying(int handle);

// Stops the voice of handle and rewinds it; a voice number the slot does not
// have stops every voice of the slot. Handles outside 0..0xFFFFF are ignored.
void stopSound(int handle);

// Stops and rewinds every voice of every slot.
void stopAllSounds();

}  // namespace mvn
