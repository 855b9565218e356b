#include "runtime/app/frame_loop.h"

#include <cstdio>

#include "runtime/app/automation.h"
#include "runtime/app/collaborators.h"
#include "runtime/app/frame_hold.h"
#include "runtime/app/log.h"
#include "runtime/app/program_end.h"
#include "runtime/app/runtime_objects.h"
#include "runtime/app/timer.h"
#include "runtime/audio/music.h"
#include "runtime/gfx2d/frame_state.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/view.h"
#include "runtime/platform/gl_context.h"
#include "runtime/platform/messages.h"
#include "runtime/platform/window.h"
#include "runtime/values/named_functions.h"
#include "runtime/values/pause_state.h"

namespace mvn {

using namespace platform;

int32_t frameCounter = 0;
int32_t frontRequest = 0;
int32_t quitKeysEnabled = 1;
int32_t win32MsgLookup = -1;
MessageCallback win32MsgCallback = nullptr;

namespace {

constexpr int kKeyEscape = 1;
constexpr int kKeyLeftAlt = 56;
constexpr int kKeyF4 = 62;
constexpr int kKey129 = 129;

long presentedFrames = 0;

class TimerClock : public FrameClock {
 public:
  TimerClock(OpenGLRainbows& renderer, MessageCallback callback)
      : renderer_(renderer), callback_(callback) {}
  double now() override { return timerMs(); }
  void sleep(int milliseconds) override { sleepMs(milliseconds); }
  void pump() override { pumpMessages(renderer_, callback_, false); }

 private:
  OpenGLRainbows& renderer_;
  MessageCallback callback_;
};

void lookUpMessageCallback() {
  if (win32MsgLookup != -1) return;
  win32MsgCallback = findByName("MVN_WIN32_MSG");
  win32MsgLookup = win32MsgCallback ? 1 : 0;
}

// Music keep-alive, callback look-up and a pump: what every wake-up does.
void keepAlive(bool wait) {
  keepMusicLooping();
  lookUpMessageCallback();
  if (runtimeObjects.renderer) pumpMessages(*runtimeObjects.renderer, win32MsgCallback, wait);
}

void bringToFront() {
  std::puts("activate");
  WindowHandle window = runtimeObjects.mainWindow;
  showWindow(window, SW_SHOW);
  bringWindowToTop(window);
  setFocus(window);
  std::puts("ok");
  std::fflush(stdout);
  frontRequest = 0;
}

bool quitKeyDown() {
  return frame::isKeyDown(kKey129) || frame::isKeyDown(kKeyEscape);
}

void pauseLoop() {
  logLine("pause loop in showscreen/hibernate\n");
  while (paused && !frontRequest) {
    sleepMs(500);
    keepAlive(true);
  }
  logLine("pause loop ended\n");
}

}  // namespace

void showScreen() {
  presentFrame();
  resetFrameState();
}

void presentFrame() {
  if (frontRequest) bringToFront();
  previousFrameTime = currentFrameTime;
  currentFrameTime = timerMs();
  while (paused) {
    frameCounter = 31;
    waitForInput();
  }
  frame::pollMice();
  if (quitKeysEnabled && quitKeyDown()) endProgram();
  if (frame::isKeyDown(kKeyLeftAlt) && frame::isKeyDown(kKeyF4)) endProgram();
  keepMusicLooping();
  lookUpMessageCallback();
  if (OpenGLRainbows* renderer = runtimeObjects.renderer) {
    pumpMessages(*renderer, win32MsgCallback, false);
    swapAndHold(*renderer, win32MsgCallback);
  }
  // An unattended run ends after the frames it was asked for.
  static const long frameLimit = automationFrameLimit();
  if (frameLimit > 0 && ++presentedFrames >= frameLimit) endProgram();
}

void resetFrameState() {
  if (runtimeObjects.renderer) resetDrawingState(*runtimeObjects.renderer);
  frame::forceKeyboardRead();
  ++frameCounter;
}

bool pumpMessages(OpenGLRainbows& renderer, MessageCallback callback, bool wait) {
  if (wait) waitMessage();
  Message message;
  for (;;) {
    if (callback) {
      if (!peekMessage(message, renderer.window, false)) break;
      callback();
    }
    if (!peekMessage(message, renderer.window, true)) break;
    if (message.message == WM_CHAR) frame::addTypedCharacter(static_cast<unsigned char>(message.wParam & 0xFF));
    if (message.message == WM_KEYDOWN) translateMessage(message);
    dispatchMessage(message);
  }
  return true;
}

void waitForInput() {
  keepAlive(false);
  if (frameCounter <= 29) return;
  int refX = 0, refY = 0, refFirst = 0, refSecond = 0;
  frame::readMouseState(refX, refY, refFirst, refSecond);
  for (int pass = 0; pass < 100; ++pass) {
    // A pause that has begun goes to the pause loop at once, rather than
    // after whatever message comes next.
    keepAlive(!paused);
    if (paused) {
      pauseLoop();
      return;
    }
    frame::pollMice();
    if (quitKeysEnabled && quitKeyDown()) endProgram();
    for (int key = 0; key <= 254; ++key) {
      if (frame::isKeyDown(key)) {
        frameCounter = 0;
        return;
      }
    }
    int x = 0, y = 0, first = 0, second = 0;
    frame::readMouseState(x, y, first, second);
    if (x != refX || y != refY || first || second) {
      frameCounter = 0;
      return;
    }
    sleepMs(10);
  }
}

bool swapAndHold(OpenGLRainbows& renderer, MessageCallback callback) {
  if (renderer.currentRenderTarget != -1) endRenderTarget(renderer);
  swapBuffers(renderer.window);
  beginFrame(renderer);
  TimerClock clock(renderer, callback);
  const double now = holdFrame(renderer.nextFrameTime, clock);
  renderer.nextFrameTime = nextDeadline(renderer.nextFrameTime, renderer.framePeriod, now);
  return true;
}

}  // namespace mvn
