// Quadrivolant's start: the settings the runtime opens its window with, and
// the main routine the runtime calls once it is ready.
#include "game/board.h"
#include "game/commands.h"
#include "game/game_loop.h"
#include "morvane/morvane.h"

namespace mvn {

void applyGameSettings() {
  runtimeSettings.screenWidth = 640;
  runtimeSettings.screenHeight = 480;
  runtimeSettings.fullScreen = 0;
  runtimeSettings.exclusiveMouse = 1;
  runtimeSettings.frameRate = 60;
  runtimeSettings.debugMode = 0;
  runtimeSettings.multisample = 0;
  runtimeSettings.appName = "Quadrivolant";
}

void gameMain() {
  setScreen(800, 480, 0);
  showSystemPointer(1.0);
  // Beside a Media folder the game reads that folder's files or its
  // Media.sbx. Installed, it is one file: its media are appended to the
  // executable, which both archive slots name from the start.
  if (directoryExists("Media")) {
    setCurrentDir("Media");
    setArchive("Media.sbx", "Media.sbx");
  } else if (fileExists("Media.sbx")) {
    setArchive("Media.sbx", "Media.sbx");
  }
  quadrivolant::loadAnim("arrows.png", 200, 60, 60);
  quadrivolant::loadAnim("ticker.png", 17, 12, 12);
  loadSprite("block.png", 501);
  quadrivolant::loadAnim("static.png", 300, 8, 8);
  quadrivolant::board.dimension(10, 10);
  quadrivolant::dealPicture();
  quadrivolant::gameLoop();
}

}  // namespace mvn

namespace quadrivolant {

void gameLoop() {
  startGameLoop();
  LoopState loop;
  for (;;) {
    gamePass(loop);
    mvn::showScreen();
  }
}

}  // namespace quadrivolant
