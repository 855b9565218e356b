#include "runtime/platform/window.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/platform/recording.h"
#include "runtime/platform/scaled_area.h"
#include "runtime/platform/sdl2/sdl_window.h"

namespace mvn::platform {

namespace {

struct WindowClass {
  std::string name;
  WindowProcedure procedure = nullptr;
};

std::vector<WindowClass> classes;
std::vector<Window*> windows;

// The frame the layer reports: a one-pixel border and a caption bar.
constexpr int kBorder = 1;
constexpr int kCaption = 23;

bool hasFrame(const Window& w) { return (w.style & kStyleCaption) != 0 && !w.fullScreen; }

// The client area on the screen: the client size, or a scaled window's own.
int shownWidthOf(const Window& w) { return w.scaled ? w.shownWidth : w.clientWidth; }
int shownHeightOf(const Window& w) { return w.scaled ? w.shownHeight : w.clientHeight; }

bool shownNow(const Window* w) { return (SDL_GetWindowFlags(w->sdl) & SDL_WINDOW_SHOWN) != 0; }

// A rectangle the system reports, through the recording (recording.h).
bool outsideArea(bool found, Rect& area) {
  std::vector<int64_t> values{found ? 1 : 0, area.left, area.top, area.right, area.bottom};
  outsideValues(OutsideRead::WorkArea, values);
  area = {static_cast<int>(values[1]), static_cast<int>(values[2]), static_cast<int>(values[3]),
          static_cast<int>(values[4])};
  return values[0] != 0;
}

}  // namespace

void setStandardAttributes(int samples) {
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
#ifdef __EMSCRIPTEN__
  // A browser offers OpenGL ES 2.0 (WebGL), under which the fixed-function
  // calls are emulated.
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
#else
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
#endif
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples);
}

namespace {

SDL_Window* buildSdlWindow(Window& w, int samples) {
  setStandardAttributes(samples);
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
  if (!hasFrame(w)) flags |= SDL_WINDOW_BORDERLESS;
  if (w.scaled) flags |= SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
  SDL_Window* sdl = SDL_CreateWindow(w.title.c_str(), w.x + clientOffsetX(w),
                                     w.y + clientOffsetY(w), std::max(1, shownWidthOf(w)),
                                     std::max(1, shownHeightOf(w)), flags);
  setStandardAttributes(0);
  if (sdl) SDL_SetWindowData(sdl, "mvn", &w);
  return sdl;
}

// A scaled window's opening scale where the window system leaves high DPI to
// the program (its drawable has as many pixels as the window has units).
int openingScaleOf(const Window& w) {
  int unitsW = 0, unitsH = 0, pixelsW = 0, pixelsH = 0;
  SDL_GetWindowSize(w.sdl, &unitsW, &unitsH);
  SDL_GL_GetDrawableSize(w.sdl, &pixelsW, &pixelsH);
  if (pixelsW != unitsW || pixelsH != unitsH) return 1;  // the system scales by itself
  const int display = std::max(0, SDL_GetWindowDisplayIndex(w.sdl));
  float dpi = 0;
  SDL_Rect usable;
  if (SDL_GetDisplayDPI(display, &dpi, nullptr, nullptr) != 0 ||
      SDL_GetDisplayUsableBounds(display, &usable) != 0)
    return 1;
  return openingScale(dpi, w.clientWidth, w.clientHeight, usable.w, usable.h);
}

void applyGeometry(Window& w) {
  if (!w.sdl || w.fullScreen) return;
  SDL_SetWindowBordered(w.sdl, hasFrame(w) ? SDL_TRUE : SDL_FALSE);
  // Sized as a fixed window is, for every window: the system takes a fixed
  // window's new size before the next frame is drawn, and a scaled window's
  // drawing must meet the same buffer as an ordinary window's would.
  SDL_SetWindowResizable(w.sdl, SDL_FALSE);
  SDL_SetWindowSize(w.sdl, std::max(1, shownWidthOf(w)), std::max(1, shownHeightOf(w)));
  SDL_SetWindowPosition(w.sdl, w.x + clientOffsetX(w), w.y + clientOffsetY(w));
  if (w.scaled) {
    SDL_SetWindowResizable(w.sdl, SDL_TRUE);
    // It draws into a corner of its own buffer: never smaller than the drawing.
    SDL_SetWindowMinimumSize(w.sdl, std::max(1, w.clientWidth), std::max(1, w.clientHeight));
  }
}

}  // namespace

struct Module {};

ModuleHandle executableModule() {
  static Module module;
  return &module;
}

#ifndef _WIN32
namespace {

// True when the desktop offers a session bus: named in the environment, or
// at the per-user socket every bus library looks for.
bool sessionBusOffered() {
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  if (address && *address) return true;
  const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
  struct stat info {};
  return runtimeDir && *runtimeDir && stat((std::string(runtimeDir) + "/bus").c_str(), &info) == 0;
}

}  // namespace
#endif

bool ensureVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  // Keep the screen saver off while the program runs (SDL's default too).
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
  // The video start connects to the session bus (input methods, the screen
  // saver). Where the desktop offers none, the bus library would fork a
  // launcher that may leave a bus daemon of ours behind: the connection is
  // pointed at a socket that cannot exist, so that it fails at once.
#ifdef _WIN32
  return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
#else
  const bool noBus = !sessionBusOffered();
  if (noBus) setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/morvane-no-session-bus", 1);
  const bool started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  if (noBus) unsetenv("DBUS_SESSION_BUS_ADDRESS");
  return started;
#endif
}

SDL_Window* sdlWindow(WindowHandle window) { return window ? window->sdl : nullptr; }

WindowHandle windowFromSdlId(uint32_t id) {
  SDL_Window* sdl = SDL_GetWindowFromID(id);
  if (!sdl) return nullptr;
  return static_cast<Window*>(SDL_GetWindowData(sdl, "mvn"));
}

WindowHandle firstWindow() { return windows.empty() ? nullptr : windows.front(); }

void placeWindowRecord(Window& w, int x, int y) {
  w.x = w.eventX = x;
  w.y = w.eventY = y;
}

int clientOffsetX(const Window& w) { return hasFrame(w) ? 3 * kBorder : 0; }
int clientOffsetY(const Window& w) { return hasFrame(w) ? kCaption + 3 * kBorder : 0; }

bool registerWindowClass(const char* className, WindowProcedure procedure) {
  if (!className || !procedure || !ensureVideo()) return false;
  for (const WindowClass& c : classes)
    if (c.name == className) return false;  // already registered
  classes.push_back({className, procedure});
  return true;
}

WindowHandle createWindow(const char* className, const char* title, uint32_t style, int x, int y,
                          int outerWidth, int outerHeight) {
  if (!ensureVideo() || !className) return nullptr;
  auto found = std::find_if(classes.begin(), classes.end(),
                            [&](const WindowClass& c) { return c.name == className; });
  if (found == classes.end()) return nullptr;
  auto* w = new Window;
  w->procedure = found->procedure;
  w->title = title ? title : "";
  w->style = style;
  placeWindowRecord(*w, x, y);
  const bool framed = (style & kStyleCaption) != 0;
  w->clientWidth = outerWidth - (framed ? 6 * kBorder : 0);
  w->clientHeight = outerHeight - (framed ? kCaption + 6 * kBorder : 0);
  w->scaled = (style & kStyleThickFrame) != 0;
  w->shownWidth = w->clientWidth;
  w->shownHeight = w->clientHeight;
  w->sdl = buildSdlWindow(*w, 0);
  if (!w->sdl) {
    delete w;
    return nullptr;
  }
  windows.push_back(w);
  if (style & kStyleVisible) {
    SDL_ShowWindow(w->sdl);
    w->focusRequested = true;
  }
  return w;
}

bool rebuildWindow(WindowHandle window, int samples) {
  Window& w = *window;
  const bool visible = shownNow(window);
  SDL_Window* old = w.sdl;
  SDL_Window* fresh = buildSdlWindow(w, samples);
  if (!fresh) return false;
  SDL_DestroyWindow(old);
  w.sdl = fresh;
  if (visible) SDL_ShowWindow(fresh);
  return true;
}

void destroyWindow(WindowHandle window) {
  auto it = std::find(windows.begin(), windows.end(), window);
  if (it == windows.end()) return;
  windows.erase(it);
  if (window->sdl) SDL_DestroyWindow(window->sdl);
  delete window;
}

bool isWindow(WindowHandle window) {
  return window && std::find(windows.begin(), windows.end(), window) != windows.end();
}

namespace {

int liveSystemMetric(int metric) {
  switch (metric) {
    case kMetricScreenWidth:
    case kMetricScreenHeight: {
      SDL_DisplayMode mode;
      if (!ensureVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0) return 0;
      return metric == kMetricScreenWidth ? mode.w : mode.h;
    }
    case kMetricCaptionHeight: return kCaption;
    case kMetricBorderWidth:
    case kMetricBorderHeight: return kBorder;
    default: return 0;
  }
}

int liveColourBits() {
  SDL_DisplayMode mode;
  if (!ensureVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0) return 24;
  const int bits = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
  return bits > 0 ? bits : 24;
}

}  // namespace

int systemMetric(int metric) {
  return static_cast<int>(outsideValue(OutsideRead::SystemMetric, liveSystemMetric(metric)));
}

int desktopColourBits() {
  return static_cast<int>(outsideValue(OutsideRead::ColourBits, liveColourBits()));
}

Rect windowRect(WindowHandle window) {
  if (!isWindow(window)) return {};
  const Window& w = *window;
  const int frameX = hasFrame(w) ? 6 * kBorder : 0;
  const int frameY = hasFrame(w) ? kCaption + 6 * kBorder : 0;
  return {w.x, w.y, w.x + w.clientWidth + frameX, w.y + w.clientHeight + frameY};
}

Rect clientRect(WindowHandle window) {
  if (!isWindow(window)) return {};
  return {0, 0, window->clientWidth, window->clientHeight};
}

bool monitorWorkArea(WindowHandle window, Rect& area) {
  if (!isWindow(window)) return false;
  const int display = SDL_GetWindowDisplayIndex(window->sdl);
  SDL_Rect r;
  Rect found = area;
  const bool live = display >= 0 && SDL_GetDisplayUsableBounds(display, &r) == 0;
  if (live) found = {r.x, r.y, r.x + r.w, r.y + r.h};
  if (!outsideArea(live, found)) return false;
  area = found;
  return true;
}

Rect desktopWorkArea() {
  SDL_Rect r{0, 0, 0, 0};
  if (ensureVideo()) SDL_GetDisplayUsableBounds(0, &r);
  Rect area{r.x, r.y, r.x + r.w, r.y + r.h};
  outsideArea(true, area);
  return area;
}

void setWindowStyle(WindowHandle window, uint32_t style, uint32_t extendedStyle) {
  if (!isWindow(window)) return;
  window->style = style;
  window->extendedStyle = extendedStyle;
  const bool scaled = (style & kStyleThickFrame) != 0;
  if (scaled != window->scaled) {
    window->scaled = scaled;
    window->shownWidth = window->clientWidth;
    window->shownHeight = window->clientHeight;
  }
  applyGeometry(*window);
  if (style & kStyleVisible) {
    SDL_ShowWindow(window->sdl);
    window->focusRequested = true;
  }
}

uint32_t windowStyle(WindowHandle window) { return isWindow(window) ? window->style : 0; }

void setWindowPos(WindowHandle window, bool topMost, int x, int y, int outerWidth, int outerHeight,
                  bool show) {
  if (!isWindow(window)) return;
  Window& w = *window;
  placeWindowRecord(w, x, y);
  w.clientWidth = outerWidth - (hasFrame(w) ? 6 * kBorder : 0);
  w.clientHeight = outerHeight - (hasFrame(w) ? kCaption + 6 * kBorder : 0);
  w.shownWidth = w.clientWidth;
  w.shownHeight = w.clientHeight;
  if (w.scaled && !w.fullScreen) {
    // Larger on a display of many dots per inch, about the same centre.
    const int scale = openingScaleOf(w);
    w.shownWidth *= scale;
    w.shownHeight *= scale;
    placeWindowRecord(w, x - (w.shownWidth - w.clientWidth) / 2,
                      y - (w.shownHeight - w.clientHeight) / 2);
  }
  applyGeometry(w);
  if (w.topMost != topMost) SDL_SetWindowAlwaysOnTop(w.sdl, topMost ? SDL_TRUE : SDL_FALSE);
  w.topMost = topMost;
  if (show) {
    SDL_ShowWindow(w.sdl);
    w.focusRequested = true;
  }
}

void showWindow(WindowHandle window, int showCommand) {
  if (!isWindow(window)) return;
  if (showCommand == kShowHide) {
    SDL_HideWindow(window->sdl);
    window->style &= ~kStyleVisible;
    window->focusRequested = false;
    return;
  }
  if (showCommand == kShowRestore || showCommand == kShowNormal) SDL_RestoreWindow(window->sdl);
  SDL_ShowWindow(window->sdl);
  window->style |= kStyleVisible;
  window->focusRequested = true;
}

bool isWindowVisible(WindowHandle window) {
  if (!isWindow(window)) return false;
  return outsideValue(OutsideRead::WindowShown, shownNow(window) ? 1 : 0) != 0;
}

void updateWindow(WindowHandle) {}  // OpenGL windows repaint with each swap

void bringWindowToTop(WindowHandle window) {
  if (!isWindow(window) || !shownNow(window)) return;
  SDL_RaiseWindow(window->sdl);
  window->focusRequested = true;
}

void setForegroundWindow(WindowHandle window) { bringWindowToTop(window); }

void setFocus(WindowHandle window) {
  if (!isWindow(window) || !shownNow(window)) return;
  SDL_SetWindowInputFocus(window->sdl);
  window->focusRequested = true;
}

// The window with the keyboard focus. The system reports a focus change some
// time after the request: until then the window the program brought forward
// is the foreground, as it is at once on the system the runtime came from.
namespace {

WindowHandle liveForegroundWindow() {
  if (SDL_Window* focus = SDL_GetKeyboardFocus())
    return static_cast<Window*>(SDL_GetWindowData(focus, "mvn"));
  for (Window* w : windows)
    if (w->focusRequested && shownNow(w)) return w;
  return nullptr;
}

}  // namespace

// Kept as 0 (none of the layer's windows) or 1 + the window's place among them.
WindowHandle foregroundWindow() {
  const WindowHandle live = liveForegroundWindow();
  const auto found = std::find(windows.begin(), windows.end(), live);
  const int64_t place = found == windows.end() ? 0 : 1 + (found - windows.begin());
  const int64_t answer = outsideValue(OutsideRead::Foreground, place);
  return answer >= 1 && answer <= static_cast<int64_t>(windows.size()) ? windows[answer - 1] : nullptr;
}

void invalidateDesktop() {}  // the window system repaints uncovered areas itself

void setWindowText(WindowHandle window, const char* text) {
  if (!isWindow(window)) return;
  window->title = text ? text : "";
  SDL_SetWindowTitle(window->sdl, window->title.c_str());
}

std::string windowText(WindowHandle window) { return isWindow(window) ? window->title : ""; }

namespace {

bool liveChangeDisplayMode(WindowHandle window, int width, int height, int colourBits) {
  const int display = std::max(0, SDL_GetWindowDisplayIndex(window->sdl));
  const int count = SDL_GetNumDisplayModes(display);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(display, i, &mode) != 0) continue;
    if (mode.w != width || mode.h != height) continue;
    if (colourBits != 0 && static_cast<int>(SDL_BITSPERPIXEL(mode.format)) != colourBits) continue;
    if (SDL_SetWindowDisplayMode(window->sdl, &mode) != 0) return false;
    // Without a window manager nothing moves a full-screen window to the
    // display's corner: the window goes there itself first.
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(display, &bounds) != 0) bounds = {0, 0, width, height};
    SDL_SetWindowBordered(window->sdl, SDL_FALSE);
    SDL_SetWindowPosition(window->sdl, bounds.x, bounds.y);
    SDL_SetWindowSize(window->sdl, width, height);
    if (SDL_SetWindowFullscreen(window->sdl, SDL_WINDOW_FULLSCREEN) != 0) {
      applyGeometry(*window);
      return false;
    }
    window->fullScreen = true;
    placeWindowRecord(*window, 0, 0);
    window->clientWidth = width;
    window->clientHeight = height;
    return true;
  }
  return false;
}

}  // namespace

// A replay keeps the recorded run's answer, and the window's record with it.
bool changeDisplayMode(WindowHandle window, int width, int height, int colourBits) {
  if (!isWindow(window)) return false;
  const bool live = liveChangeDisplayMode(window, width, height, colourBits);
  const bool taken = outsideValue(OutsideRead::DisplayMode, live ? 1 : 0) != 0;
  if (taken && !live) {
    window->fullScreen = true;
    placeWindowRecord(*window, 0, 0);
    window->clientWidth = width;
    window->clientHeight = height;
  } else if (!taken && live) {
    restoreDisplayMode(window);
  }
  return taken;
}

bool isScaledWindow(WindowHandle window) { return isWindow(window) && window->scaled; }

bool isDesktopFullScreen(WindowHandle window) {
  return isWindow(window) && window->desktopFullScreen;
}

bool enterDesktopFullScreen(WindowHandle window) {
  if (!isWindow(window) || !window->scaled || window->fullScreen) return false;
  Window& w = *window;
  SDL_GetWindowPosition(w.sdl, &w.restoreLeft, &w.restoreTop);
  w.restoreWidth = w.shownWidth;
  w.restoreHeight = w.shownHeight;
  const int display = std::max(0, SDL_GetWindowDisplayIndex(w.sdl));
  SDL_Rect bounds;
  if (SDL_GetDisplayBounds(display, &bounds) != 0) return false;
  // Without a window manager nothing moves a full-screen window to the
  // display's corner: the window goes there itself first.
  SDL_SetWindowBordered(w.sdl, SDL_FALSE);
  SDL_SetWindowPosition(w.sdl, bounds.x, bounds.y);
  SDL_SetWindowSize(w.sdl, bounds.w, bounds.h);
  if (SDL_SetWindowFullscreen(w.sdl, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
    applyGeometry(w);
    return false;
  }
  w.fullScreen = true;
  w.desktopFullScreen = true;
  placeWindowRecord(w, bounds.x, bounds.y);
  w.repaint = true;
  return true;
}

void leaveDesktopFullScreen(WindowHandle window) {
  if (!isWindow(window) || !window->desktopFullScreen) return;
  Window& w = *window;
  SDL_SetWindowFullscreen(w.sdl, 0);
  w.fullScreen = false;
  w.desktopFullScreen = false;
  w.shownWidth = w.restoreWidth;
  w.shownHeight = w.restoreHeight;
  placeWindowRecord(w, w.restoreLeft - clientOffsetX(w), w.restoreTop - clientOffsetY(w));
  applyGeometry(w);
  w.repaint = true;
}

void restoreDisplayMode(WindowHandle window) {
  if (isDesktopFullScreen(window)) {
    leaveDesktopFullScreen(window);
    return;
  }
  if (!isWindow(window) || !window->fullScreen) return;
  SDL_SetWindowFullscreen(window->sdl, 0);
  window->fullScreen = false;
  applyGeometry(*window);
}

}  // namespace mvn::platform
