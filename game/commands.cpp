#include "game/commands.h"

namespace quadrivolant {

void (*drawRect)(int x, int y, int width, int height, int colour) = nullptr;
void (*drawAnim)(int slot, int frame, int x, int y) = nullptr;
void (*zoomSprite)(int slot, int x, int y, double xScale, double yScale) = nullptr;
void (*rotoZoomAnim)(int slot, int frame, int x, int y, double angle, double zoom) = nullptr;
void (*setAlphaMode)(double value) = nullptr;
void (*setSmoothing)(int flag) = nullptr;
void (*startPoly)(int slot, int mode) = nullptr;
void (*polyVector)(double x, double y, double textureX, double textureY, int colour) = nullptr;
void (*endPoly)() = nullptr;
void (*loadAnim)(const char* file, int slot, int frameWidth, int frameHeight) = nullptr;
void (*playMusic)(const char* file, int loop) = nullptr;
void (*mouseState)(int& x, int& y, int& button1, int& button2) = nullptr;

}  // namespace quadrivolant
