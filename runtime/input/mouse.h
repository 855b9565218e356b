// The mouse: per-frame polls of the current mouse record, the mouse state the
// program reads, and the pointer mode (system pointer shown, or hidden with
// the position integrated from relative movement).
//
// Buttons and quick presses. Every read of the mouse (mouseState, mouseAxis,
// pollMouse, and the frame presenter's poll in showScreen) reports a button
// as down while it is held, and also when it went down since the previous
// read, even if it came up again before this read: a tap shorter than a frame
// (a touchpad's tap-to-click sends its press and release back to back) reads
// down exactly once, at the next read, and up at the read after. So:
//   - a press and release between two reads: down at one read, then up;
//   - several presses between the same two reads: down at one read (they
//     are not counted);
//   - a held button: down at every read until its release, as before;
//   - the presenter's poll is a read, so a program that reads the mouse once
//     per frame sees every press, because the window's messages arrive after
//     that poll, during the rest of showScreen.
// Buttons come up when the window loses the foreground. With the pointer
// hidden (read from the mouse device), presses made before the device is
// acquired again do not count.
#pragma once

#include "morvane/input.h"

#include "runtime/input/input_system.h"

namespace mvn {

// -1 until the first mouse read, then 1 when the system delivers the mouse as
// pointer messages (version 6.2 and later), else 0.
extern int windows8OrLater;

// Reads the current mouse into report; consume commits the position as the
// reported one and hands out the accumulated wheel steps.
void pollMouse(MouseReport& report, bool consume);

// The frame presenter's poll: one pollMouse(report, true) per mouse record.
void pollMice();



// Where the screen of the mouse state lies: the drawing size, its
// orientation, and a virtual-screen scale with its offset (0: none).
struct MouseScreen {
  int width = 0;
  int height = 0;
  int orientation = 0;
  float scale = 0;
  int offsetX = 0;
  int offsetY = 0;
};
// The running program's: the renderer's drawing size and orientation, and
// the virtual resolution in force.
MouseScreen currentMouseScreen();
// Turns a client position into a position on that screen, held to its edges.
void placeOnScreen(int& x, int& y, const MouseScreen& screen);



// The mouse device's level and the cursor again after a screen change.
void applyMouseMode();







// The pointer mode around the creation of a media window: hide it (returning
// the mode it had), then restore that mode; with the pointer hidden
// afterwards, one show-and-hide cycle brings the arrow back in step.
uint8_t suspendPointerMode();
void restorePointerMode(uint8_t mode);
void cycleHiddenPointer();

}  // namespace mvn
