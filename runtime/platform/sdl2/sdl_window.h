// Inside the layer: the window record behind a WindowHandle, and the hooks the
// layer's other SDL services use (input, audio).
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

#include "runtime/platform/window.h"

namespace mvn::platform {

struct Window {
  SDL_Window* sdl = nullptr;
  WindowProcedure procedure = nullptr;
  std::string title;
  uint32_t style = 0;
  uint32_t extendedStyle = 0;
  int x = 0, y = 0;                        // outer top-left on the screen
  // The outer top-left as of the last window event taken from SDL: pointer
  // messages get their screen positions from it. x and y follow it when the
  // message of the move (kMessageMove) is taken from the queue, so every message
  // is converted back with the position it was made with.
  int eventX = 0, eventY = 0;
  // Shown or brought forward by the program and no focus change reported
  // since: the window counts as the foreground until the system says more.
  bool focusRequested = false;
  int clientWidth = 0, clientHeight = 0;
  int pixelFormat = 1;
  bool topMost = false;
  bool fullScreen = false;
  // A scaled window (window.h): the client size above is the drawing
  // surface; shownWidth and shownHeight are the client area on the screen in
  // logical units, as the player last sized it.
  bool scaled = false;
  int shownWidth = 0, shownHeight = 0;
  bool desktopFullScreen = false;
  int restoreLeft = 0, restoreTop = 0;  // the client area's place before the desktop full screen
  int restoreWidth = 0, restoreHeight = 0;
  bool repaint = false;
};

// Initialises SDL's video subsystem once; false when it cannot start.
bool ensureVideo();
// The SDL window of a handle (null for a null handle).
SDL_Window* sdlWindow(WindowHandle window);
// The window record of an SDL window id; null when it is not one of ours.
WindowHandle windowFromSdlId(uint32_t id);
// The first live window of the layer (the runtime has one).
WindowHandle firstWindow();
// The GL attributes of the layer's pixel formats: the standard one, with
// samples > 0 multisampled. They count when a window and when a context is made.
void setStandardAttributes(int samples);
// Builds the SDL window anew with another sample count (the GL visual is
// fixed when an SDL window is made); false leaves the old one.
bool rebuildWindow(WindowHandle window, int samples);
// Offset of the client area inside the outer rectangle, from the metrics.
int clientOffsetX(const Window& window);
int clientOffsetY(const Window& window);
// The window's outer top-left for both the runtime and the event stream.
void placeWindowRecord(Window& window, int x, int y);

// Follows the system's events for scaled windows: a resize by the player
// asks for a repaint, and pointer positions become surface pixels
// (window.h). Runs on every event the layer takes from the system, before
// anything else sees it or a recording keeps it.
void followScaledWindows(SDL_Event& event);
// The cursor's screen position as the runtime sees it, and back: over a scaled
// window, screen positions are taken as if its client area were the surface.
void cursorFromSystem(int& screenX, int& screenY);
void cursorToSystem(int& screenX, int& screenY);

// Every SDL event the message queue takes is shown to the observers first
// (the keyboard and mouse devices use this for wheel and key state).
using EventObserver = void (*)(const SDL_Event& event);
void addEventObserver(EventObserver observer);

// The mouse arrives as pointer messages once EnableMouseInPointer(TRUE) ran.
extern bool mouseInPointer;
// Pointer state delivered with the pointer message last removed, by id.
bool pointerInfo(uint32_t pointerId, struct PointerTouchInfo& info);

}  // namespace mvn::platform
