#include "game/game_loop.h"

#include <limits>

#include "game/blocks.h"
#include "game/board.h"
#include "game/commands.h"
#include "game/opening_static.h"
#include "game/tapes.h"

namespace quadrivolant {

int mouseX = 0, mouseY = 0, mouseButton1 = 0, mouseButton2 = 0;

namespace {

// The band of a pointer coordinate: -1 before the grid, then one per 120 pixels.
int band(int position) { return position >= 60 ? (position - 60) / 120 : -1; }

void drawReferencePicture() {
  drawRect(540, 150, 180, 180, 0);
  for (int y = 150; y <= 270; y += 120) {
    for (int x = 540; x <= 660; x += 120) drawRect(x, y, 60, 60, 0x808080);
  }
  drawRect(600, 210, 60, 60, 0x808080);
  setAlphaMode(-0.75);
  zoomSprite(100, 450, 60, 0.5, 0.5);
  setAlphaMode(-1);
}

void drawTiles() {
  for (int y = 0; y <= 2; ++y) {
    for (int x = 0; x <= 2; ++x) drawAnim(100, board(x + 1, y + 1), 120 * x + 60, 120 * y + 60);
  }
}

void testSolved(LoopState& loop) {
  if (countHomeTiles() == 9 && loop.solved == 0) {
    loop.cooldown = 100;
    for (int i = 0; i < 51; ++i) spawnTape();
    loop.solved = 1;
  }
}

// Draws the arrows, highlights the one under the pointer, records a press on
// it and carries out the recorded move. Every step runs nine times, as the
// compiled loop does; the cooldown a move sets keeps it to one move a pass.
void arrowPass(LoopState& loop) {
  const int pointerCol = loop.pointerCol;
  const int pointerRow = loop.pointerRow;
  const bool pressed = mouseButton1 != 0;
  for (int r = 1; r <= 3; ++r) {
    for (int c = 1; c <= 3; ++c) {
      drawAnim(200, 0, 120 * c - 30, 0);
      drawAnim(200, 3, 0, 120 * r - 30);
      drawAnim(200, 1, 420, 120 * r - 30);
      drawAnim(200, 2, 120 * c - 30, 420);

      const bool colBand = pointerCol >= 0 && pointerCol <= 2;
      const bool rowBand = pointerRow >= 0 && pointerRow <= 2;
      if (pointerRow == -1 && colBand) {
        drawAnim(200, 4, 120 * pointerCol + 90, 0);
        if (pressed && loop.cooldown == 0) loop.pendingMove = moveUp;
      }
      if (pointerRow == 3 && colBand) {
        drawAnim(200, 6, 120 * pointerCol + 90, 420);
        if (pressed && loop.cooldown == 0) loop.pendingMove = moveDown;
      }
      if (pointerCol == -1 && rowBand) {
        drawAnim(200, 7, 0, 120 * pointerRow + 90);
        if (pressed && loop.cooldown == 0) loop.pendingMove = moveLeft;
      }
      if (pointerCol == 3 && rowBand) {
        drawAnim(200, 5, 420, 120 * pointerRow + 90);
        if (pressed && loop.cooldown == 0) loop.pendingMove = moveRight;
      }

      if (loop.pendingMove > 0 && loop.solved == 0) {
        moveBoard(loop.pendingMove, pointerCol + 1, pointerRow + 1);
        loop.refreshGhosts = 1;
        loop.pendingMove = 0;
        loop.cooldown = 10;
      }
    }
  }
}

void dealAgain(LoopState& loop) {
  dealPicture();
  loop.frameCount = 0;
  while (tapes.total > 0) tapes.remove(0);
  loop.solved = 0;
  loop.refreshGhosts = 1;
}

}  // namespace

void startGameLoop() {
  for (int i = 0; i < 31; ++i) spawnBlock();
  playMusic("deliberate thought.mp3", 1);
}

void gamePass(LoopState& loop) {
  // Counts up to the largest integer and stays there: only the first 60 passes matter.
  if (loop.frameCount < std::numeric_limits<int>::max()) loop.frameCount += 1;
  drawRect(0, 0, 800, 480, 0xFFFFFF);
  updateBlocks();
  drawReferencePicture();
  if (loop.frameCount <= 59) drawOpeningStatic();
  if (loop.refreshGhosts == 1) {
    rebuildGhosts();
    loop.refreshGhosts = 0;
  }
  mouseState(mouseX, mouseY, mouseButton1, mouseButton2);
  loop.pointerCol = band(mouseX);
  loop.pointerRow = band(mouseY);
  drawTiles();
  testSolved(loop);
  arrowPass(loop);
  if (loop.solved == 1) {
    updateTapes();
    if (loop.cooldown == 0 && mouseButton1 != 0) dealAgain(loop);
  }
  if (loop.cooldown > 0) loop.cooldown -= 1;
}

}  // namespace quadrivolant
