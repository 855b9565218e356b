#include "game/commands.h"

#include "morvane/morvane.h"

namespace quadrivolant {

void (*drawRect)(int x, int y, int width, int height, int colour) = mvn::drawRect;
void (*drawAnim)(int slot, int frame, int x, int y) = mvn::drawAnim;
void (*zoomSprite)(int slot, int x, int y, double xScale, double yScale) = mvn::zoomSprite;
void (*rotoZoomAnim)(int slot, int frame, int x, int y, double angle, double zoom) = mvn::rotoZoomAnim;
void (*setAlphaMode)(double value) = mvn::setAlphaMode;
void (*setSmoothing)(int flag) = mvn::setSmoothing;
void (*startPoly)(int slot, int mode) = mvn::startPoly;
void (*polyVector)(double x, double y, double textureX, double textureY, int colour) = mvn::polyVector;
void (*endPoly)() = mvn::endPoly;
void (*loadAnim)(mvn::TextRef file, int slot, int frameWidth, int frameHeight) = mvn::loadAnim;
void (*playMusic)(mvn::TextRef file, int loop) = mvn::playMusic;
void (*mouseState)(int& x, int& y, int& button1, int& button2) = mvn::mouseState;

}  // namespace quadrivolant
