#include "runtime/platform/cursor.h"

#include <cstdint>
#include <vector>

#include "runtime/platform/recording.h"
#include "runtime/platform/sdl2/sdl_window.h"

namespace mvn::platform {

void setCursor(Cursor cursor) {
  if (!ensureVideo()) return;
  if (cursor == Cursor::Arrow) {
    static SDL_Cursor* arrow = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    if (arrow) SDL_SetCursor(arrow);
    SDL_ShowCursor(SDL_ENABLE);
  } else {
    SDL_ShowCursor(SDL_DISABLE);
  }
}

void setCursorPos(int screenX, int screenY) {
  if (!ensureVideo()) return;
  cursorToSystem(screenX, screenY);
  SDL_WarpMouseGlobal(screenX, screenY);
}

void getCursorPos(int& screenX, int& screenY) {
  screenX = screenY = 0;
  if (ensureVideo()) {
    SDL_GetGlobalMouseState(&screenX, &screenY);
    cursorFromSystem(screenX, screenY);
  }
  std::vector<int64_t> position{screenX, screenY};
  outsideValues(OutsideRead::CursorPosition, position);
  screenX = static_cast<int>(position[0]);
  screenY = static_cast<int>(position[1]);
}

namespace {

// Coordinates far off the screen are held to the int range.
int shifted(int value, int64_t by) {
  const int64_t moved = value + by;
  return moved > INT32_MAX ? INT32_MAX : moved < INT32_MIN ? INT32_MIN : static_cast<int>(moved);
}

}  // namespace

void clientToScreen(WindowHandle window, int& x, int& y) {
  if (!isWindow(window)) return;
  x = shifted(x, int64_t{window->x} + clientOffsetX(*window));
  y = shifted(y, int64_t{window->y} + clientOffsetY(*window));
}

void screenToClient(WindowHandle window, int& x, int& y) {
  if (!isWindow(window)) return;
  x = shifted(x, -(int64_t{window->x} + clientOffsetX(*window)));
  y = shifted(y, -(int64_t{window->y} + clientOffsetY(*window)));
}

}  // namespace mvn::platform
