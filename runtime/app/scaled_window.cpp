#include "runtime/app/scaled_window.h"

#include <cstdlib>
#include <cstring>

#include "runtime/app/scaled_surface.h"
#include "runtime/app/window_context.h"
#include "runtime/core/log.h"
#include "runtime/core/runtime_objects.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/view.h"
#include "runtime/platform/messages.h"
#include "runtime/platform/notice.h"
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

bool enterScaledWindowMode(OpenGLRainbows& renderer) {
  const bool fromFullScreen = isDesktopFullScreen(renderer.window);
  if (fromFullScreen) leaveDesktopFullScreen(renderer.window);
  setWindowStyle(renderer.window, kStyleScaledWindow, 0);
  updateWindow(renderer.window);
  resizeScaledSurface(renderer);
  if (renderer.windowWidth != placedWidth || renderer.windowHeight != placedHeight) {
    placeCentred(renderer);
    placedWidth = renderer.windowWidth;
    placedHeight = renderer.windowHeight;
  } else {
    showWindow(renderer.window, SW_SHOWNORMAL);
    updateWindow(renderer.window);
    bringWindowToTop(renderer.window);
  }
  setView(renderer, 0, 0, 0, 0, 1);
  renderer.fullScreenActive = 0;
  return true;
}

bool enterScaledFullScreen(OpenGLRainbows& renderer) {
  if (!enterDesktopFullScreen(renderer.window)) {
    messageBeep(MB_ICONEXCLAMATION);
    logLine("No Fullscreen Mode available\n");
    enterScaledWindowMode(renderer);
    return false;
  }
  showWindow(renderer.window, SW_SHOW);
  setForegroundWindow(renderer.window);
  setFocus(renderer.window);
  setView(renderer, 0, 0, 0, 0, 1);
  renderer.fullScreenActive = 1;
  return true;
}

bool handleFullScreenKey(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  const bool toggle = (message == WM_SYSKEYDOWN && wParam == VK_RETURN) ||
                      (message == WM_KEYDOWN && wParam == VK_F11);
  const bool repeat = (lParam & (intptr_t{1} << 30)) != 0;
  OpenGLRainbows* renderer = runtimeObjects.renderer;
  if (!toggle || repeat || !renderer || !scaledSurfaceActive()) return false;
  if (renderer->fullScreenActive)
    enterScaledWindowMode(*renderer);
  else
    enterScaledFullScreen(*renderer);
  return true;
}

}  // namespace mvn
