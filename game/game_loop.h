// The game's endless loop: one pass per displayed frame.
#pragma once

namespace quadrivolant {

// The mouse as the last pass read it; mouseButton2 is read and never used.
extern int mouseX, mouseY, mouseButton1, mouseButton2;

// The loop's own state, kept from pass to pass.
struct LoopState {
  int frameCount = 0;     // passes since the current deal
  int solved = 0;         // 1 from the pass that found the picture solved until the next deal
  int pendingMove = 0;    // 0, or the code of a move to carry out
  int cooldown = 50;      // passes left in which a press does nothing
  int refreshGhosts = 1;  // rebuild the ghost cells at the start of the next pass
  int pointerCol = 0;     // the pointer's column band, -1..6
  int pointerRow = 0;     // the pointer's row band, -1..3
};

// What comes once before the first pass: the background blocks and the music.
void startGameLoop();

// One pass: draws the frame from the back, reads the mouse, carries out at
// most one move, tests the board and deals again after a solve. Everything
// but presenting the frame.
void gamePass(LoopState& loop);

// startGameLoop, then gamePass and showScreen for ever.
[[noreturn]] void gameLoop();

}  // namespace quadrivolant
