// A program that makes one failing call of each kind and ends, for the error
// trace's tests: a missing file, a file that is no image, a sprite slot out of
// range, a font number out of range, a sound slot out of range, a path search
// on a map with no passable cell, a text longer than any text holds.
// MVN_TRACE_DIR names a folder holding the
// files it needs ("not-an-image.png").
#include <cstdlib>
#include <string>

#include "morvane/morvane.h"

namespace mvn {

void applyGameSettings() {
  runtimeSettings.screenWidth = 320;
  runtimeSettings.screenHeight = 200;
  runtimeSettings.frameRate = 60;
  runtimeSettings.appName = "Trace Probe";
}

void gameMain() {
  const char* dir = std::getenv("MVN_TRACE_DIR");
  const std::string notAnImage = std::string(dir ? dir : ".") + "/not-an-image.png";
  loadSprite("ball.png", 1);
  loadSprite(notAnImage.c_str(), 2);
  loadSprite("ball.png", 70000);
  setFont(40, 1.5);
  loadSound("click.wav", 5000, 1);
  RtArray<double> map;
  map.dimension(4, 4);
  RtArray<int> path;
  findPath(map, path, 0.5, 0, 0, 3, 3);
  RtString text;
  text.reserve(RtString::kMaxLength + 1, false);
  // Commands that do nothing because of their arguments, each call site
  // three times, as a frame loop would call them.
  RtArray<int32_t> pixels;
  pixels.dimension(30 * 30);
  memToSprite(pixels, 3, 30, 30);
  setAnimFrameSize(3, 10, 10);
  for (int frame = 0; frame < 3; ++frame) {
    drawSprite(70000, 10, 10);
    drawAnim(3, 40, 10, 10);
    drawAnim(4, 0, 10, 10);
    playSound(5, 0, 1);
  }
  endProgram();
}

}  // namespace mvn
