#include "runtime/app/frame_loop.h"

#include <cstdint>
#include <cstdio>

#include "runtime/app/automation.h"
#include "runtime/app/frame_hold.h"
#include "runtime/app/gl_capabilities.h"
#include "runtime/app/run_recording.h"
#include "runtime/app/scaled_surface.h"
#include "runtime/core/log.h"
#include "runtime/core/program_end.h"
#include "runtime/core/runtime_objects.h"
#include "runtime/core/timer.h"
#include "runtime/audio/music.h"
#include "runtime/gfx2d/drawing/draw_batch.h"
#include "runtime/gfx2d/drawing/frame_state.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/drawing/view.h"
#include "runtime/input/keyboard.h"
#include "runtime/input/mouse.h"
#include "runtime/input/typed_text.h"
#include "runtime/platform/gl_context.h"
#include "runtime/platform/messages.h"
#include "runtime/platform/recording.h"
#include "runtime/platform/time.h"
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

long presentedFrames = 0;

class TimerClock : public FrameClock {
 public:
  TimerClock(OpenGLRainbows& renderer, MessageCallback callback)
      : renderer_(renderer), callback_(callback) {}
  // The clock itself: the hold's readings are pacing, not what the program
  // reads, and a replay paces by its own time.
  double now() override { return pacingMs(); }
  // On the high-resolution counter, to the tick, as an absolute deadline: a
  // sleep rounded to whole milliseconds wakes early or late, and one that
  // counts a duration drifts when it is interrupted. At most one hold step
  // long, whatever `when`.
  void sleepUntil(double when) override {
    double ms = when - pacingMs();
    if (!(ms > 0)) return;
    if (ms > longestHoldSleepMs) ms = longestHoldSleepMs;
    const uint64_t frequency = platform::liveFrequency();
    if (frequency == 0) {
      mvn::sleepMs(static_cast<int>(ms));
      return;
    }
    platform::sleepUntilCounter(platform::liveCounter() + static_cast<uint64_t>(ms * static_cast<double>(frequency) / 1000.0));
  }
  // A recorded or replayed run takes no input inside the hold: how often it
  // pumps there depends on the machine's speed.
  void pump() override {
    if (!platform::runAtSeams()) pumpMessages(renderer_, callback_, false);
  }

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
  showWindow(window, kShow);
  bringWindowToTop(window);
  setFocus(window);
  std::puts("ok");
  std::fflush(stdout);
  frontRequest = 0;
}

void pauseLoop() {
  logLine("pause loop in showscreen/hibernate\n");
  while (paused && !frontRequest) {
    mvn::sleepMs(500);
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
  pollMice();
  // Key 129 or Escape while the quit keys are on; left Alt with F4 always.
  if (quitKeysEnabled && quitKeyDown()) endProgram();
  if (closeKeysDown()) endProgram();
  keepMusicLooping();
  lookUpMessageCallback();
  if (OpenGLRainbows* renderer = runtimeObjects.renderer) {
    pumpMessages(*renderer, win32MsgCallback, false);
    swapAndHold(*renderer, win32MsgCallback);
  }
  // An unattended run ends after the frames it was asked for.
  static const long frameLimit = automationFrameLimit();
  if (frameLimit > 0 && ++presentedFrames >= frameLimit) {
    noteRunCutShort();
    endProgram();
  }
}

void resetFrameState() {
  if (runtimeObjects.renderer) resetDrawingState(*runtimeObjects.renderer);
  resetKeyPolling();  // the next frame's first key query reads the keyboard
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
    if (message.message == kMessageChar)
      addTypedCharacter(static_cast<unsigned char>(message.wParam & 0xFF));
    if (message.message == kMessageKeyDown) translateMessage(message);
    dispatchMessage(message);
  }
  presentAgainIfStale(renderer);
  return true;
}

void waitForInput() {
  keepAlive(false);
  if (frameCounter <= 29) return;
  int refX = 0, refY = 0, refFirst = 0, refSecond = 0;
  mouseState(refX, refY, refFirst, refSecond);
  for (int pass = 0; pass < 100; ++pass) {
    // A pause that has begun goes to the pause loop at once, rather than
    // after whatever message comes next.
    keepAlive(!paused);
    if (paused) {
      pauseLoop();
      return;
    }
    pollMice();
    if (quitKeysEnabled && quitKeyDown()) endProgram();
    for (int key = 0; key <= 254; ++key) {
      if (isKeyDown(key)) {
        frameCounter = 0;
        return;
      }
    }
    int x = 0, y = 0, first = 0, second = 0;
    mouseState(x, y, first, second);
    if (x != refX || y != refY || first || second) {
      frameCounter = 0;
      return;
    }
    mvn::sleepMs(10);
  }
}

bool swapAndHold(OpenGLRainbows& renderer, MessageCallback callback) {
  if (renderer.currentRenderTarget != -1) endRenderTarget(renderer);
  flushDrawBatch();  // the frame is shown whole
  markPresentedFrame(renderer);
  if (!presentScaledFrame(renderer)) swapBuffers(renderer.window);
  // The hold comes before the next frame is prepared: where the system shows
  // the drawing only while the program waits, it then shows the whole frame.
  TimerClock clock(renderer, callback);
  // Unthrottled runs (measurements) pump once and go on.
  static const bool holdOff = frameHoldDisabled();
  const double deadline = holdOff ? -1e300 : renderer.nextFrameTime;
  const double now = holdFrame(deadline, clock);
  renderer.nextFrameTime =
      holdOff ? now : nextDeadline(renderer.nextFrameTime, renderer.framePeriod, now);
  beginFrame(renderer);
  return true;
}

void setFrameRate(double framesPerSecond, int vsync) {
  if (wglSwapIntervalEXT) wglSwapIntervalEXT(vsync != 0 ? 1 : 0);
  // Truncated to an integer; rates beyond any display's are held at a million.
  const double rate = framesPerSecond < 1e6 ? framesPerSecond : 1e6;
  if (runtimeObjects.renderer)
    runtimeObjects.renderer->framePeriod = framePeriodFor(rate > 0 ? static_cast<int>(rate) : 0);
}

}  // namespace mvn
