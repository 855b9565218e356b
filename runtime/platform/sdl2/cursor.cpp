#include "runtime/platform/cursor.h"

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
  if (ensureVideo()) SDL_WarpMouseGlobal(screenX, screenY);
}

void getCursorPos(int& screenX, int& screenY) {
  screenX = screenY = 0;
  if (ensureVideo()) SDL_GetGlobalMouseState(&screenX, &screenY);
}

void clientToScreen(WindowHandle window, int& x, int& y) {
  if (!isWindow(window)) return;
  x += window->x + clientOffsetX(*window);
  y += window->y + clientOffsetY(*window);
}

void screenToClient(WindowHandle window, int& x, int& y) {
  if (!isWindow(window)) return;
  x -= window->x + clientOffsetX(*window);
  y -= window->y + clientOffsetY(*window);
}

}  // namespace mvn::platform
