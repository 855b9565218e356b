// Sound slots 0 to 4095: loading a WAV sample into a slot with 1 to 4 voices,
// finding an empty slot, emptying one.
#pragma once

namespace mvn {

struct SoundChannel;

// The slot's record, or null for a number outside 0..4095 or without a table.
SoundChannel* soundSlot(int slot);

// Loads a WAV file (on disk, an in-memory name or an archive member) into
// slot with voices (held to 1..4) voices. Error code 0 on success; 3 when the
// file is not found or cannot be loaded, or there is no sound device (the
// slot is then empty); 7 for a slot outside 0..4095 (nothing changes).
void loadSound(const char* file, int slot, int voices);

// The highest-numbered empty slot; -1 with error code 7 when every slot is used.
int findFreeSoundSlot();

// Stops and frees the slot's voices; the slot is empty afterwards. Error code
// 7 for a slot outside 0..4095.
void releaseSoundSlot(int slot);

}  // namespace mvn
