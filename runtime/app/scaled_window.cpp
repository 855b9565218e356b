#include "runtime/app/scaled_window.h"

#include <cstdlib>
#include <cstring>

#include "runtime/app/scaled_surface.h"
#include "runtime/app/window_context.h"
#include "runtime/core/log.h"
#include "runtime/core/runtime_objects.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/drawing/view.h"
#include "runtime/platform/messages.h"
#include "runtime/platform/notice.h"
#include "runtime/platform/recording.h"
#include "runtime/platform/window.h"

namespace mvn {

using namespace platform;

namespace {

// The drawing size the window was last sized and centred for.
int placedWidth = 0, placedHeight = 0;

}  // namespace

bool scaledWindowRequested() {
  const char* mode = std::getenv("MORVANE_WINDOW");
  if (mode && std::strcmp(mode, "scaled") == 0) return true;
  return runtimeSettings.scaledWindow != 0;
}

namespace {

// Back from the desktop full screen to the window's last size and place.
void leaveScaledFullScreen(OpenGLRainbows& renderer) {
  leaveDesktopFullScreen(renderer.window);
  setWindowStyle(renderer.window, kStyleScaledWindow, 0);
  showWindow(renderer.window, kShowNormal);
  bringWindowToTop(renderer.window);
  setView(renderer, 0, 0, 0, 0, 1);
  renderer.fullScreenActive = 0;
}

// The desktop full screen; false when the system refuses it.
bool coverDesktop(OpenGLRainbows& renderer) {
  if (!enterDesktopFullScreen(renderer.window)) return false;
  showWindow(renderer.window, kShow);
  setForegroundWindow(renderer.window);
  setFocus(renderer.window);
  setView(renderer, 0, 0, 0, 0, 1);
  renderer.fullScreenActive = 1;
  return true;
}

}  // namespace

// The program's own changes ask the system what the ordinary window's would
// (work area, metrics, the display's answer), in the same order, so that a
// run recorded in a scaled window replays in an ordinary one and back. The
// player's switches (the keys) ask nothing.
bool enterScaledWindowMode(OpenGLRainbows& renderer) {
  if (isDesktopFullScreen(renderer.window)) leaveDesktopFullScreen(renderer.window);
  setWindowStyle(renderer.window, kStyleScaledWindow, 0);
  updateWindow(renderer.window);
  const bool newSize = renderer.windowWidth != placedWidth || renderer.windowHeight != placedHeight;
  placeCentred(renderer, newSize);
  placedWidth = renderer.windowWidth;
  placedHeight = renderer.windowHeight;
  setView(renderer, 0, 0, 0, 0, 1);
  renderer.fullScreenActive = 0;
  return true;
}

bool enterScaledFullScreen(OpenGLRainbows& renderer) {
  const bool otherDepth = renderer.colourBits != 0 && renderer.colourBits != desktopColourBits();
  bool taken = outsideValue(OutsideRead::DisplayMode, coverDesktop(renderer) ? 1 : 0) != 0;
  if (!taken && otherDepth)  // the ordinary window asks once more, without the depth
    taken = outsideValue(OutsideRead::DisplayMode, coverDesktop(renderer) ? 1 : 0) != 0;
  if (!taken) {
    messageBeep(kIconExclamation);
    logLine("No Fullscreen Mode available\n");
    enterScaledWindowMode(renderer);
    return false;
  }
  renderer.fullScreenActive = 1;  // also where a replay takes the recording's answer
  return true;
}

bool handleFullScreenKey(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  const bool toggle = (message == kMessageSysKeyDown && wParam == kVirtualKeyReturn) ||
                      (message == kMessageKeyDown && wParam == kVirtualKeyF11);
  const bool repeat = (lParam & (intptr_t{1} << 30)) != 0;
  OpenGLRainbows* renderer = runtimeObjects.renderer;
  if (!toggle || repeat || !renderer || !scaledSurfaceActive()) return false;
  if (isDesktopFullScreen(renderer->window))
    leaveScaledFullScreen(*renderer);
  else if (!renderer->fullScreenActive && !coverDesktop(*renderer))
    messageBeep(kIconExclamation);
  return true;
}

}  // namespace mvn
