#include "tests/game/recorder.h"

#include "game/blocks.h"
#include "game/board.h"
#include "game/commands.h"
#include "game/tapes.h"
#include "runtime/values/random.h"

namespace quadrivolant_test {

std::vector<Call> calls;
FakeMouse mouse;

namespace {

void record(const char* name, std::vector<double> args, const char* text = "") {
  calls.push_back(Call{name, std::move(args), text});
}

struct SavedCommands {
  decltype(quadrivolant::drawRect) drawRect;
  decltype(quadrivolant::drawAnim) drawAnim;
  decltype(quadrivolant::zoomSprite) zoomSprite;
  decltype(quadrivolant::rotoZoomAnim) rotoZoomAnim;
  decltype(quadrivolant::setAlphaMode) setAlphaMode;
  decltype(quadrivolant::setSmoothing) setSmoothing;
  decltype(quadrivolant::startPoly) startPoly;
  decltype(quadrivolant::polyVector) polyVector;
  decltype(quadrivolant::endPoly) endPoly;
  decltype(quadrivolant::loadAnim) loadAnim;
  decltype(quadrivolant::playMusic) playMusic;
  decltype(quadrivolant::mouseState) mouseState;
} saved;

}  // namespace

int countCalls(const std::string& name) {
  int count = 0;
  for (const Call& call : calls) count += call.name == name;
  return count;
}

int countCalls(const std::string& name, double firstArg) {
  int count = 0;
  for (const Call& call : calls) count += call.name == name && !call.args.empty() && call.args[0] == firstArg;
  return count;
}

void GameTest::SetUp() {
  namespace q = quadrivolant;
  saved = {q::drawRect,   q::drawAnim, q::zoomSprite, q::rotoZoomAnim, q::setAlphaMode, q::setSmoothing,
           q::startPoly, q::polyVector, q::endPoly, q::loadAnim, q::playMusic, q::mouseState};
  q::drawRect = [](int x, int y, int w, int h, int colour) { record("drawRect", {1.0 * x, 1.0 * y, 1.0 * w, 1.0 * h, 1.0 * colour}); };
  q::drawAnim = [](int slot, int frame, int x, int y) { record("drawAnim", {1.0 * slot, 1.0 * frame, 1.0 * x, 1.0 * y}); };
  q::zoomSprite = [](int slot, int x, int y, double xs, double ys) { record("zoomSprite", {1.0 * slot, 1.0 * x, 1.0 * y, xs, ys}); };
  q::rotoZoomAnim = [](int slot, int frame, int x, int y, double angle, double zoom) {
    record("rotoZoomAnim", {1.0 * slot, 1.0 * frame, 1.0 * x, 1.0 * y, angle, zoom});
  };
  q::setAlphaMode = [](double value) { record("setAlphaMode", {value}); };
  q::setSmoothing = [](int flag) { record("setSmoothing", {1.0 * flag}); };
  q::startPoly = [](int slot, int mode) { record("startPoly", {1.0 * slot, 1.0 * mode}); };
  q::polyVector = [](double x, double y, double tx, double ty, int colour) { record("polyVector", {x, y, tx, ty, 1.0 * colour}); };
  q::endPoly = [] { record("endPoly", {}); };
  q::loadAnim = [](mvn::TextRef file, int slot, int w, int h) { record("loadAnim", {1.0 * slot, 1.0 * w, 1.0 * h}, file); };
  q::playMusic = [](mvn::TextRef file, int loop) { record("playMusic", {1.0 * loop}, file); };
  q::mouseState = [](int& x, int& y, int& b1, int& b2) {
    x = mouse.x;
    y = mouse.y;
    b1 = mouse.button1;
    b2 = 0;
  };
  calls.clear();
  mouse = FakeMouse{};
  mvn::seedRandom(12345);
  q::board.dimension(10, 10);
  q::blocks.dimension(0);
  q::tapes.dimension(0);
}

void GameTest::TearDown() {
  namespace q = quadrivolant;
  q::drawRect = saved.drawRect;
  q::drawAnim = saved.drawAnim;
  q::zoomSprite = saved.zoomSprite;
  q::rotoZoomAnim = saved.rotoZoomAnim;
  q::setAlphaMode = saved.setAlphaMode;
  q::setSmoothing = saved.setSmoothing;
  q::startPoly = saved.startPoly;
  q::polyVector = saved.polyVector;
  q::endPoly = saved.endPoly;
  q::loadAnim = saved.loadAnim;
  q::playMusic = saved.playMusic;
  q::mouseState = saved.mouseState;
}

void GameTest::pass(quadrivolant::LoopState& loop) {
  calls.clear();
  quadrivolant::gamePass(loop);
}

std::vector<int> GameTest::tiles() {
  std::vector<int> result;
  for (int y = 1; y <= 3; ++y) {
    for (int x = 1; x <= 3; ++x) result.push_back(quadrivolant::board(x, y));
  }
  return result;
}

void GameTest::setTiles(const std::vector<int>& tiles) {
  for (int y = 1; y <= 3; ++y) {
    for (int x = 1; x <= 3; ++x) quadrivolant::board(x, y) = tiles[3 * (y - 1) + (x - 1)];
  }
}

}  // namespace quadrivolant_test
