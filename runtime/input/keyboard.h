// The cached keyboard state and the keys the frame presenter reads.
#pragma once

namespace mvn {

// Refreshes the key state from the keyboard device, at most once per 101
// queries (the frame end resets the count so that each frame reads afresh).
void pollKeyboard();

// 1 when the key (DIK code 0 to 255) is down after pollKeyboard; always 0
// without a keyboard device or for a code outside 0..255.
int isKeyDown(int code);

// The frame end: the first key query of the next frame reads the keyboard.
void resetKeyPolling();

// The presenter's quit keys: key 129, or else Escape.
bool quitKeyDown();
// Left Alt and, only while it is down, F4.
bool closeKeysDown();

}  // namespace mvn
