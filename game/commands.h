// The runtime commands the game's passes draw, load, play and read the mouse
// with. They are function variables bound to the runtime's commands, so that a
// test can run whole passes without a window by binding recorders instead.
#pragma once

#include "morvane/text.h"

namespace quadrivolant {

extern void (*drawRect)(int x, int y, int width, int height, int colour);
extern void (*drawAnim)(int slot, int frame, int x, int y);
extern void (*zoomSprite)(int slot, int x, int y, double xScale, double yScale);
extern void (*rotoZoomAnim)(int slot, int frame, int x, int y, double angle, double zoom);
extern void (*setAlphaMode)(double value);
extern void (*setSmoothing)(int flag);
extern void (*startPoly)(int slot, int mode);
extern void (*polyVector)(double x, double y, double textureX, double textureY, int colour);
extern void (*endPoly)();
extern void (*loadAnim)(mvn::TextRef file, int slot, int frameWidth, int frameHeight);
extern void (*playMusic)(mvn::TextRef file, int loop);
extern void (*mouseState)(int& x, int& y, int& button1, int& button2);

}  // namespace quadrivolant
