// The cached keyboard state and the keys the frame presenter reads.
#pragma once

#include "morvane/input.h"

namespace mvn {

// Refreshes the key state from the keyboard device, at most once per 101
// queries (the frame end resets the count so that each frame reads afresh).
void pollKeyboard();



// The frame end: the first key query of the next frame reads the keyboard.
void resetKeyPolling();

// The presenter's quit keys: key 129, or else Escape.
bool quitKeyDown();
// Left Alt and, only while it is down, F4.
bool closeKeysDown();

}  // namespace mvn
