// The confetti strips that rain over the screen while the picture is solved.
#pragma once

#include "game/records.h"
#include "morvane/morvane.h"

namespace quadrivolant {

extern mvn::RtArray<__MORVANE__::Ttape> tapes;

// Makes one strip somewhere on the screen and appends it to tapes.
void spawnTape();

// Moves, spins, animates and draws every strip; strips that fall out at the
// bottom come back in at the top.
void updateTapes();

}  // namespace quadrivolant
