// The window system's own input queries, and events put on the queue for tests.
#include <SDL.h>

#include <cstring>
#include <vector>

#include "runtime/platform/input.h"
#include "runtime/platform/recording.h"
#include "runtime/platform/sdl2/outside_events.h"
#include "runtime/platform/sdl2/sdl_window.h"

namespace mvn::platform {

namespace {

bool liveMouseButtonDown(int button) {
  if (!ensureVideo()) return false;
  static const Uint32 masks[3] = {SDL_BUTTON_LMASK, SDL_BUTTON_RMASK, SDL_BUTTON_MMASK};
  if (button < 0 || button > 2) return false;
  return (SDL_GetGlobalMouseState(nullptr, nullptr) & masks[button]) != 0;
}

void liveVirtualKeyState(uint8_t keys[256]) {
  std::memset(keys, 0, 256);
  if (!ensureVideo()) return;
  const Uint8* held = SDL_GetKeyboardState(nullptr);
  auto set = [&](int vk, SDL_Scancode code) {
    if (held[code]) keys[vk] = 0x80;
  };
  for (int i = 0; i < 26; ++i) set('A' + i, static_cast<SDL_Scancode>(SDL_SCANCODE_A + i));
  for (int i = 0; i < 9; ++i) set('1' + i, static_cast<SDL_Scancode>(SDL_SCANCODE_1 + i));
  set('0', SDL_SCANCODE_0);
  for (int i = 0; i < 12; ++i) set(0x70 + i, static_cast<SDL_Scancode>(SDL_SCANCODE_F1 + i));
  set(0x08, SDL_SCANCODE_BACKSPACE);
  set(0x09, SDL_SCANCODE_TAB);
  set(0x0D, SDL_SCANCODE_RETURN);
  set(0x1B, SDL_SCANCODE_ESCAPE);
  set(0x20, SDL_SCANCODE_SPACE);
  set(0x25, SDL_SCANCODE_LEFT);
  set(0x26, SDL_SCANCODE_UP);
  set(0x27, SDL_SCANCODE_RIGHT);
  set(0x28, SDL_SCANCODE_DOWN);
  set(0xA0, SDL_SCANCODE_LSHIFT);
  set(0xA1, SDL_SCANCODE_RSHIFT);
  set(0xA2, SDL_SCANCODE_LCTRL);
  set(0xA3, SDL_SCANCODE_RCTRL);
  set(0xA4, SDL_SCANCODE_LALT);
  set(0xA5, SDL_SCANCODE_RALT);
  keys[0x10] = keys[0xA0] | keys[0xA1];
  keys[0x11] = keys[0xA2] | keys[0xA3];
  keys[0x12] = keys[0xA4] | keys[0xA5];
}

}  // namespace

bool mouseButtonDown(int button) {
  return outsideValue(OutsideRead::MouseButton, liveMouseButtonDown(button) ? 1 : 0) != 0;
}

// Kept as the codes of the keys down.
void getVirtualKeyState(uint8_t keys[256]) {
  liveVirtualKeyState(keys);
  std::vector<int64_t> down;
  for (int code = 0; code < 256; ++code)
    if (keys[code] & 0x80) down.push_back(code);
  outsideValues(OutsideRead::VirtualKeys, down);
  std::memset(keys, 0, 256);
  for (int64_t code : down)
    if (code >= 0 && code < 256) keys[code] = 0x80;
}

void refreshInputState() {
  if (!ensureVideo()) return;
  if (runAtSeams())
    takeSystemEvents(false);
  else
    SDL_PumpEvents();
}

void systemVersion(int& major, int& minor) {
  major = 10;
  minor = 0;
}

namespace {

Uint32 windowId(WindowHandle window) {
  SDL_Window* sdl = sdlWindow(window);
  return sdl ? SDL_GetWindowID(sdl) : 0;
}

}  // namespace

void injectKey(WindowHandle window, int scancode, bool down) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.windowID = windowId(window);
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.scancode = static_cast<SDL_Scancode>(scancode);
  event.key.keysym.sym = SDL_GetKeyFromScancode(event.key.keysym.scancode);
  SDL_PushEvent(&event);
}

void injectMouseMotion(WindowHandle window, int clientX, int clientY, int dx, int dy) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.windowID = windowId(window);
  event.motion.x = clientX;
  event.motion.y = clientY;
  event.motion.xrel = dx;
  event.motion.yrel = dy;
  SDL_PushEvent(&event);
}

void injectMouseButton(WindowHandle window, int button, bool down, int clientX, int clientY) {
  static const Uint8 buttons[3] = {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE};
  if (button < 0 || button > 2) return;
  SDL_Event event{};
  event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  event.button.windowID = windowId(window);
  event.button.button = buttons[button];
  event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.button.clicks = 1;
  event.button.x = clientX;
  event.button.y = clientY;
  SDL_PushEvent(&event);
}

void injectMouseWheel(WindowHandle window, int steps) {
  SDL_Event event{};
  event.type = SDL_MOUSEWHEEL;
  event.wheel.windowID = windowId(window);
  event.wheel.y = steps;
  event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
  SDL_PushEvent(&event);
}

}  // namespace mvn::platform
