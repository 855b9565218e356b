// The system pointer over the window: shown as the arrow or hidden, placed,
// and coordinates converted between the screen and a window's client area.
#pragma once

#include "runtime/platform/window.h"

namespace mvn::platform {

enum class Cursor { None, Arrow };

void setCursor(Cursor cursor);
void setCursorPos(int screenX, int screenY);
void getCursorPos(int& screenX, int& screenY);
void clientToScreen(WindowHandle window, int& x, int& y);
void screenToClient(WindowHandle window, int& x, int& y);

}  // namespace mvn::platform
