// The window service: one top-level window of the runtime's own class, with
// Win32-numbered styles, show commands and system metrics.
#pragma once

#include <cstdint>
#include <string>

namespace mvn::platform {

struct Window;
using WindowHandle = Window*;

// The executable's module; the layer has exactly one.
struct Module;
using ModuleHandle = Module*;
ModuleHandle executableModule();

// Called for every message of a window; returns the message's result.
using WindowProcedure = intptr_t (*)(WindowHandle window, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam);

// Styles.
constexpr uint32_t kStylePopup = 0x80000000u;  // WS_POPUP
constexpr uint32_t kStyleVisible = 0x10000000u;  // WS_VISIBLE
constexpr uint32_t kStyleClipSiblings = 0x04000000u;  // WS_CLIPSIBLINGS
constexpr uint32_t kStyleClipChildren = 0x02000000u;  // WS_CLIPCHILDREN
constexpr uint32_t kStyleCaption = 0x00C00000u;  // WS_CAPTION
constexpr uint32_t kStyleSysMenu = 0x00080000u;  // WS_SYSMENU
constexpr uint32_t kStyleThickFrame = 0x00040000u;  // WS_THICKFRAME
constexpr uint32_t kStyleMinimizeBox = 0x00020000u;  // WS_MINIMIZEBOX
constexpr uint32_t kStyleMaximizeBox = 0x00010000u;  // WS_MAXIMIZEBOX

// Show commands.
constexpr int kShowHide = 0;  // SW_HIDE
constexpr int kShowNormal = 1;  // SW_SHOWNORMAL
constexpr int kShow = 5;  // SW_SHOW
constexpr int kShowRestore = 9;  // SW_RESTORE
constexpr int kShowDefault = 10;  // SW_SHOWDEFAULT

// System metrics.
constexpr int kMetricScreenWidth = 0;  // SM_CXSCREEN
constexpr int kMetricScreenHeight = 1;  // SM_CYSCREEN
constexpr int kMetricCaptionHeight = 4;  // SM_CYCAPTION
constexpr int kMetricBorderWidth = 5;  // SM_CXBORDER
constexpr int kMetricBorderHeight = 6;  // SM_CYBORDER

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

// The window class: registered once, it names the procedure of its windows.
bool registerWindowClass(const char* className, WindowProcedure procedure);

// A new window, hidden unless the style carries kStyleVisible. The outer size
// includes the frame the layer reports through the system metrics: a window
// with a caption has a client area of outerWidth - 6 * kMetricBorderWidth by
// outerHeight - kMetricCaptionHeight - 6 * kMetricBorderHeight.
WindowHandle createWindow(const char* className, const char* title, uint32_t style, int x, int y,
                          int outerWidth, int outerHeight);
void destroyWindow(WindowHandle window);
bool isWindow(WindowHandle window);

int systemMetric(int metric);
int desktopColourBits();

// The outer rectangle and the client rectangle (origin 0, 0) of a window.
Rect windowRect(WindowHandle window);
Rect clientRect(WindowHandle window);
// Work area of the monitor nearest to the window; false when no monitor is
// found. The desktop's work area otherwise.
bool monitorWorkArea(WindowHandle window, Rect& area);
Rect desktopWorkArea();

void setWindowStyle(WindowHandle window, uint32_t style, uint32_t extendedStyle);
uint32_t windowStyle(WindowHandle window);
// Places the window at (x, y) with the given outer size; topMost keeps it
// above other windows. show: also show it.
void setWindowPos(WindowHandle window, bool topMost, int x, int y, int outerWidth, int outerHeight,
                  bool show);
void showWindow(WindowHandle window, int showCommand);
bool isWindowVisible(WindowHandle window);
void updateWindow(WindowHandle window);
void bringWindowToTop(WindowHandle window);
void setForegroundWindow(WindowHandle window);
void setFocus(WindowHandle window);
WindowHandle foregroundWindow();
// Repaint of the whole desktop after a mode or window change.
void invalidateDesktop();

void setWindowText(WindowHandle window, const char* text);
std::string windowText(WindowHandle window);

// A scaled window: a window whose style carries kStyleThickFrame (a sizing
// border) when it is created or restyled. Its client area, as every call of
// this service and the pointer, cursor and message services report it, keeps
// the size the runtime gives it: the drawing surface. On the screen the window
// may take any size the player gives it (it opens at the client size in the
// display's logical units, so twice as many pixels on a display scaled by 2),
// and the runtime shows the surface scaled into it (scaled_area.h). Pointer
// and cursor positions arrive already turned into surface pixels, so that
// nothing above the layer, and nothing a recording keeps, depends on the size
// on the screen.
bool isScaledWindow(WindowHandle window);
// The window's client area on the screen in pixels, as OpenGL draws it
// (more than its logical size on a display scaled for high DPI).
void drawableSize(WindowHandle window, int& width, int& height);
// True once after the system asked for the window's contents again (the
// window was resized or uncovered); the runtime then shows its frame again.
bool takeRepaintRequest(WindowHandle window);
// A scaled window covering its whole display, borderless, without a change of
// display mode; false when the system refuses. Leaving puts the window back
// at the size and place it had.
bool enterDesktopFullScreen(WindowHandle window);
void leaveDesktopFullScreen(WindowHandle window);
bool isDesktopFullScreen(WindowHandle window);

// Display mode for full screen on the window's display: exactly width by
// height (and colourBits when not 0). False when the display refuses it.
bool changeDisplayMode(WindowHandle window, int width, int height, int colourBits);
// Back to the desktop's mode (or out of a desktop full screen).
void restoreDisplayMode(WindowHandle window);

}  // namespace mvn::platform
