// Scaled windows (window.h): the system's sizes and positions turned into the
// terms of the drawing surface, and the repaint requests.
#include <cmath>

#include "runtime/platform/scaled_area.h"
#include "runtime/platform/sdl2/sdl_window.h"

namespace mvn::platform {

namespace {

// Where the surface lies in the window's client area, in pixels, and how
// many pixels a logical unit of the window's coordinates spans on each axis.
struct Placement {
  ScaledArea area;
  double pixelsPerUnitX = 1, pixelsPerUnitY = 1;
};

Placement placementOf(const Window& w) {
  Placement p;
  int unitsW = 0, unitsH = 0, pixelsW = 0, pixelsH = 0;
  SDL_GetWindowSize(w.sdl, &unitsW, &unitsH);
  SDL_GL_GetDrawableSize(w.sdl, &pixelsW, &pixelsH);
  if (unitsW > 0 && unitsH > 0 && pixelsW > 0 && pixelsH > 0) {
    p.pixelsPerUnitX = static_cast<double>(pixelsW) / unitsW;
    p.pixelsPerUnitY = static_cast<double>(pixelsH) / unitsH;
  }
  p.area = fitDrawing(w.clientWidth, w.clientHeight, pixelsW, pixelsH);
  return p;
}

// A position in the window's logical units, as a surface pixel.
void toSurface(const Window& w, double& x, double& y) {
  const Placement p = placementOf(w);
  x = surfacePixel(x * p.pixelsPerUnitX, p.area.x, p.area.width, w.clientWidth);
  y = surfacePixel(y * p.pixelsPerUnitY, p.area.y, p.area.height, w.clientHeight);
}

void toSurface(const Window& w, Sint32& x, Sint32& y) {
  double sx = x, sy = y;
  toSurface(w, sx, sy);
  x = static_cast<Sint32>(sx);
  y = static_cast<Sint32>(sy);
}

Window* scaledWindowOf(uint32_t windowId) {
  WindowHandle w = windowFromSdlId(windowId);
  return w && w->scaled ? w : nullptr;
}

// The one scaled window whose client area the cursor's screen positions refer to.
Window* scaledCursorWindow() {
  WindowHandle w = firstWindow();
  return w && w->scaled && w->sdl ? w : nullptr;
}

}  // namespace

void followScaledWindows(SDL_Event& e) {
  switch (e.type) {
    case SDL_WINDOWEVENT:
      if (Window* w = scaledWindowOf(e.window.windowID)) {
        // Only a size the player gave asks for the frame again: the sizes the
        // runtime gives are followed by a frame anyway, and a frame shown
        // in between would meet the window's buffer at another moment than
        // in an ordinary window.
        if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED && !w->fullScreen &&
            (e.window.data1 != w->shownWidth || e.window.data2 != w->shownHeight)) {
          w->shownWidth = e.window.data1;
          w->shownHeight = e.window.data2;
          w->repaint = true;
        }
      }
      break;
    case SDL_MOUSEMOTION:
      if (Window* w = scaledWindowOf(e.motion.windowID)) toSurface(*w, e.motion.x, e.motion.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (Window* w = scaledWindowOf(e.button.windowID)) toSurface(*w, e.button.x, e.button.y);
      break;
    case SDL_FINGERDOWN:
    case SDL_FINGERMOTION:
    case SDL_FINGERUP:
      // Contacts come as fractions of the client area: they become fractions
      // of the surface, each naming the middle of its surface pixel.
      if (Window* w = scaledWindowOf(e.tfinger.windowID)) {
        int unitsW = 0, unitsH = 0;
        SDL_GetWindowSize(w->sdl, &unitsW, &unitsH);
        double x = static_cast<double>(e.tfinger.x) * unitsW;
        double y = static_cast<double>(e.tfinger.y) * unitsH;
        toSurface(*w, x, y);
        e.tfinger.x = static_cast<float>((x + 0.5) / w->clientWidth);
        e.tfinger.y = static_cast<float>((y + 0.5) / w->clientHeight);
      }
      break;
    default:
      break;
  }
}

void cursorFromSystem(int& screenX, int& screenY) {
  Window* w = scaledCursorWindow();
  if (!w) return;
  int left = 0, top = 0;
  SDL_GetWindowPosition(w->sdl, &left, &top);
  double x = static_cast<double>(screenX) - left, y = static_cast<double>(screenY) - top;
  toSurface(*w, x, y);
  screenX = static_cast<int>(x) + w->x + clientOffsetX(*w);
  screenY = static_cast<int>(y) + w->y + clientOffsetY(*w);
}

void cursorToSystem(int& screenX, int& screenY) {
  Window* w = scaledCursorWindow();
  if (!w) return;
  const Placement p = placementOf(*w);
  const int pixelX = areaPixel(screenX - w->x - clientOffsetX(*w), p.area.x, p.area.width,
                               w->clientWidth);
  const int pixelY = areaPixel(screenY - w->y - clientOffsetY(*w), p.area.y, p.area.height,
                               w->clientHeight);
  int left = 0, top = 0;
  SDL_GetWindowPosition(w->sdl, &left, &top);
  screenX = left + static_cast<int>(std::ceil(pixelX / p.pixelsPerUnitX));
  screenY = top + static_cast<int>(std::ceil(pixelY / p.pixelsPerUnitY));
}

void drawableSize(WindowHandle window, int& width, int& height) {
  width = height = 0;
  if (!isWindow(window) || !window->sdl) return;
  SDL_GL_GetDrawableSize(window->sdl, &width, &height);
}

bool takeRepaintRequest(WindowHandle window) {
  if (!isWindow(window) || !window->repaint) return false;
  window->repaint = false;
  return true;
}

}  // namespace mvn::platform
