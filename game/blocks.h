// The blocks that drift down behind everything else.
#pragma once

#include "game/records.h"
#include "morvane/morvane.h"

namespace quadrivolant {

extern mvn::RtArray<__MORVANE__::Tblock> blocks;

// Makes one block somewhere on the screen and appends it to blocks.
void spawnBlock();

// Moves every block down by its speed, sends those that passed the bottom back
// above the top with a new place, size and speed, and draws them.
void updateBlocks();

}  // namespace quadrivolant
