// Wayfarer: a walker on a field of cells. Click a cell and the walker goes
// there, one pixel step after another.
//
// The runtime's process entry calls applyGameSettings, opens the window and
// calls gameMain, which never returns: the program ends through the runtime
// (Escape, the window's close button, or MORVANE_FRAMES in unattended runs).
#include <algorithm>

#include "runtime/app/frame_loop.h"
#include "runtime/app/program.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/gfx2d/drawing.h"
#include "runtime/gfx2d/sprite_loading.h"
#include "runtime/input/mouse.h"

namespace {

constexpr int kCell = 32;
constexpr int kColumns = 20;
constexpr int kRows = 15;
constexpr int kWalker = 1;  // sprite slot

// Colours are red + 256 * green + 65536 * blue.
constexpr int rgb(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }

void drawField(int targetColumn, int targetRow) {
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const int colour = (row + column) % 2 ? rgb(86, 150, 72) : rgb(96, 162, 80);
      mvn::drawRect(column * kCell, row * kCell, kCell, kCell, colour);
    }
  }
  mvn::drawRect(targetColumn * kCell + 4, targetRow * kCell + 4, kCell - 8, kCell - 8, rgb(222, 196, 120));
}

// One pixel towards the goal on each axis.
int stepTowards(int from, int to) { return from + (to > from) - (to < from); }

}  // namespace

namespace mvn {

void applyGameSettings() {
  runtimeSettings.screenWidth = kColumns * kCell;
  runtimeSettings.screenHeight = kRows * kCell;
  runtimeSettings.fullScreen = 0;
  runtimeSettings.exclusiveMouse = 0;
  runtimeSettings.frameRate = 60;
  runtimeSettings.debugMode = 0;
  runtimeSettings.multisample = 0;
  runtimeSettings.appName = "Wayfarer";
}

void gameMain() {
  // Not on disk, so it comes from the archive appended to the executable.
  loadSprite("walker.png", kWalker);

  int targetColumn = 2, targetRow = 2;
  int x = targetColumn * kCell, y = targetRow * kCell;
  for (;;) {
    int mouseX = 0, mouseY = 0, left = 0, right = 0;
    mouseState(mouseX, mouseY, left, right);
    if (left) {
      targetColumn = std::min(std::max(mouseX / kCell, 0), kColumns - 1);
      targetRow = std::min(std::max(mouseY / kCell, 0), kRows - 1);
    }
    x = stepTowards(x, targetColumn * kCell);
    y = stepTowards(y, targetRow * kCell);

    drawField(targetColumn, targetRow);
    drawSprite(kWalker, x, y);
    showScreen();
  }
}

}  // namespace mvn
