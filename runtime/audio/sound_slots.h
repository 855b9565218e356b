// Sound slots 0 to 4095: loading a WAV sample into a slot with 1 to 4 voices,
// finding an empty slot, emptying one.
#pragma once

#include "morvane/audio.h"

namespace mvn {

struct SoundChannel;

// The slot's record, or null for a number outside 0..4095 or without a table.
SoundChannel* soundSlot(int slot);




}  // namespace mvn
