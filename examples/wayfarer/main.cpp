// Wayfarer: a walker on a map of tiles. Click a cell and the walker goes
// there along the cheapest way the path search finds (roads are quicker than
// grass; water, trees and rocks block it), with a footstep at every cell.
// A bar below the map prints the path's length in the program's own font and
// the frame rate in the runtime's built-in font.
//
// The runtime's process entry calls applyGameSettings, opens the window and
// calls gameMain, which never returns: the program ends through the runtime
// (Escape, the window's close button, or MORVANE_FRAMES in unattended runs).
// Its media travel appended to the executable and load by plain name.
//
// With WAYFARER_TRACE=1 it also prints what it does on standard output, for
// tests: "ready X Y", "path N X,Y ..." for every search, "step HANDLE" for
// every footstep and "at X Y" for every cell reached.
#include <cstdio>
#include <cstdlib>

#include "morvane/morvane.h"

#include "map.h"

namespace wayfarer {
namespace {

using mvn::RtArray;
using mvn::RtString;

constexpr int kWidth = kColumns * kCell;
constexpr int kMapHeight = kRows * kCell;
constexpr int kHeight = kMapHeight + 64;  // the map, then the bar
constexpr int kSpeed = 4;                 // pixels a frame: 8 frames a cell

// Slots and numbers of the media.
constexpr int kTiles = 1;        // sprite slot of tiles.png, frames of 32 by 32
constexpr int kWalker = 2;       // sprite slot of walker.png
constexpr int kStepSound = 1;    // sound slot of step.wav
constexpr int kBuiltinFont = 0;  // the runtime's own font
constexpr int kWayFont = 1;      // wayfont.png

constexpr int rgb(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }

RtArray<double> costs;  // the map as the path search reads it
RtArray<int> path;      // rows of x, y: row 0 where the walk began, the last the goal
int pathCells = 0;      // rows of path; 0: nowhere to go
int nextCell = 0;       // the row of path the walker heads for
int walkerX = 0, walkerY = 0;  // pixels
bool stepping = false;         // between two cells
RtString message = "Click a cell to walk there";

bool pending = false;  // a click waits for the walker to stand on a cell
int goalColumn = 0, goalRow = 0;
int stepsTaken = 0;

int framesCounted = 0, framesPerSecond = 0;
double secondStart = 0;

bool tracing = false;

void trace(const RtString& line) {
  if (!tracing) return;
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

void buildCosts() {
  costs.dimension(kColumns, kRows);
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) costs(column, row) = stepCost(column, row);
  }
}

// A new search from the cell the walker stands on.
void planWalk() {
  const int column = walkerX / kCell, row = walkerY / kCell;
  pathCells = mvn::findPath(costs, path, 0.5, column, row, goalColumn, goalRow);
  nextCell = 1;
  if (column == goalColumn && row == goalRow) {
    message = "You are there already";
  } else if (pathCells == 0) {
    message = "No way leads there";
  } else {
    message = RtString("Path: ") + (pathCells - 1) + " steps";
  }
  RtString line = RtString("path ") + pathCells;
  for (int i = 0; i < pathCells; ++i) line += RtString(" ") + path(i, 0) + "," + path(i, 1);
  trace(line);
}

// One frame of walking: a click is planned while the walker stands on a
// cell; each step onto the next cell of the path starts with a footstep,
// panned to where the walker is.
void walk() {
  if (!stepping) {
    if (pending) {
      pending = false;
      planWalk();
    }
    if (nextCell >= pathCells) return;
    const double pan = (walkerX + kCell / 2 - kWidth / 2) / double(kWidth);
    trace(RtString("step ") + mvn::playSound(kStepSound, pan, 0.8));
    stepping = true;
  }
  const int x = path(nextCell, 0) * kCell, y = path(nextCell, 1) * kCell;
  walkerX += walkerX < x ? kSpeed : walkerX > x ? -kSpeed : 0;
  walkerY += walkerY < y ? kSpeed : walkerY > y ? -kSpeed : 0;
  if (walkerX == x && walkerY == y) {
    stepping = false;
    ++nextCell;
    ++stepsTaken;
    trace(RtString("at ") + path(nextCell - 1, 0) + " " + path(nextCell - 1, 1));
  }
}

void readMouse(bool& wasDown) {
  int x = 0, y = 0, left = 0, right = 0;
  mvn::mouseState(x, y, left, right);
  if (left && !wasDown && y < kMapHeight) {
    goalColumn = x / kCell;
    goalRow = y / kCell;
    pending = true;
  }
  wasDown = left != 0;
}

void drawMap() {
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      mvn::drawAnim(kTiles, tileAt(column, row), column * kCell, row * kCell);
    }
  }
  // The rest of the way: dots up to the flag on the goal.
  for (int i = nextCell; i < pathCells; ++i) {
    const int frame = i == pathCells - 1 ? kFlag : kPathDot;
    mvn::drawAnim(kTiles, frame, path(i, 0) * kCell, path(i, 1) * kCell);
  }
  mvn::drawSprite(kWalker, walkerX, walkerY);

  // A frame round the cell under the mouse.
  int x = 0, y = 0, left = 0, right = 0;
  mvn::mouseState(x, y, left, right);
  if (y < kMapHeight) {
    const int cellX = x / kCell * kCell, cellY = y / kCell * kCell, white = rgb(255, 255, 255);
    mvn::drawLine(cellX, cellY + 1, cellX + kCell, cellY + 1, white);
    mvn::drawLine(cellX, cellY + kCell, cellX + kCell, cellY + kCell, white);
    mvn::drawLine(cellX + 1, cellY, cellX + 1, cellY + kCell, white);
    mvn::drawLine(cellX + kCell, cellY, cellX + kCell, cellY + kCell, white);
  }
}

// Frames presented in the last whole second.
void countFrames() {
  ++framesCounted;
  const double now = mvn::timerMs();
  if (now - secondStart >= 1000) {
    framesPerSecond = framesCounted;
    framesCounted = 0;
    secondStart = now;
  }
}

void drawBar() {
  mvn::drawRect(0, kMapHeight, kWidth, kHeight - kMapHeight, rgb(32, 28, 40));
  mvn::drawRect(0, kMapHeight, kWidth, 2, rgb(96, 78, 52));

  mvn::setFont(kWayFont, 1);
  mvn::print(message.c_str(), 16, kMapHeight + 12, 1);

  mvn::setFont(kBuiltinFont, 2);
  const RtString rate = RtString(framesPerSecond) + " fps";
  mvn::print(rate.c_str(), kWidth - 16 - mvn::textWidth(rate.c_str(), 0), kMapHeight + 12, 0);
  mvn::setFont(kBuiltinFont, 1);
  const RtString walked = RtString("Walked ") + stepsTaken + " steps.  Roads are quicker than grass.";
  mvn::print(walked.c_str(), 16, kMapHeight + 42, 0);
}

}  // namespace
}  // namespace wayfarer

namespace mvn {

void applyGameSettings() {
  runtimeSettings.screenWidth = wayfarer::kWidth;
  runtimeSettings.screenHeight = wayfarer::kHeight;
  runtimeSettings.fullScreen = 0;
  runtimeSettings.exclusiveMouse = 0;
  runtimeSettings.frameRate = 60;
  runtimeSettings.debugMode = 0;
  runtimeSettings.multisample = 0;
  runtimeSettings.appName = "Wayfarer";
}

void gameMain() {
  using namespace wayfarer;
  const char* traceSetting = std::getenv("WAYFARER_TRACE");
  tracing = traceSetting != nullptr && *traceSetting != '\0' && *traceSetting != '0';

  // None of these is on disk: they come from the archive appended to the executable.
  loadAnim("tiles.png", kTiles, kCell, kCell);
  loadSprite("walker.png", kWalker);
  loadSound("step.wav", kStepSound, 2);  // two voices: a step may start before the last fades
  loadFont("wayfont.png", kWayFont);
  buildCosts();

  walkerX = 5 * kCell;
  walkerY = 7 * kCell;
  secondStart = timerMs();
  bool wasDown = false;
  for (int frame = 0;; ++frame) {
    readMouse(wasDown);
    walk();
    drawMap();
    drawBar();
    showScreen();
    countFrames();
    if (frame == 0) trace(RtString("ready ") + walkerX / kCell + " " + walkerY / kCell);
  }
}

}  // namespace mvn
