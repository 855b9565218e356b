// SDL events become messages with the Win32 numbers the window procedure
// handles; they wait in a queue of the layer until the runtime takes them.
#include "runtime/platform/messages.h"

#include <cmath>
#include <deque>
#include <map>
#include <vector>

#include "runtime/platform/pointer.h"
#include "runtime/platform/recording.h"
#include "runtime/platform/sdl2/outside_events.h"
#include "runtime/platform/sdl2/sdl_window.h"

namespace mvn::platform {

bool mouseInPointer = false;

namespace {

struct Queued {
  Message message;
  PointerTouchInfo pointer;  // pointer messages: the state they report
  int outerX = 0, outerY = 0;  // kMessageMove: the window's new outer top-left
};

std::deque<Queued> queue;
std::vector<EventObserver> observers;
std::map<uint32_t, PointerTouchInfo> currentPointers;  // as of the last removed message
std::map<SDL_FingerID, uint32_t> fingerIds;            // touch contact -> pointer id
uint32_t mouseButtons = 0;                             // POINTER_FLAG_*BUTTON bits
int mouseX = 0, mouseY = 0;                            // the mouse's last client position

intptr_t packPoint(int x, int y) {
  return static_cast<intptr_t>((static_cast<uint32_t>(y & 0xFFFF) << 16) |
                               static_cast<uint32_t>(x & 0xFFFF));
}

void push(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam,
          const PointerTouchInfo& pointer = {}) {
  queue.push_back({{window, message, wParam, lParam}, pointer});
}

uint32_t virtualKey(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + (key - SDLK_F1);
  switch (key) {
    case SDLK_BACKSPACE: return kVirtualKeyBack;
    case SDLK_TAB: return kVirtualKeyTab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return kVirtualKeyReturn;
    case SDLK_ESCAPE: return kVirtualKeyEscape;
    case SDLK_SPACE: return 0x20;
    case SDLK_PAGEUP: return 0x21;
    case SDLK_PAGEDOWN: return 0x22;
    case SDLK_END: return 0x23;
    case SDLK_HOME: return 0x24;
    case SDLK_LEFT: return 0x25;
    case SDLK_UP: return 0x26;
    case SDLK_RIGHT: return 0x27;
    case SDLK_DOWN: return 0x28;
    case SDLK_INSERT: return 0x2D;
    case SDLK_DELETE: return 0x2E;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return 0x10;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return 0x11;
    case SDLK_LALT:
    case SDLK_RALT: return 0x12;
    default: return 0;
  }
}

// Windows-1252 byte of a code point; 0 when the code page has none.
unsigned char codePageByte(uint32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  static const uint16_t high[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  for (int i = 0; i < 32; ++i)
    if (high[i] && high[i] == c) return static_cast<unsigned char>(0x80 + i);
  return 0;
}

void pushText(WindowHandle window, const char* utf8) {
  const auto* s = reinterpret_cast<const unsigned char*>(utf8);
  while (*s) {
    uint32_t c = *s;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (extra) c &= 0x3F >> extra;
    ++s;
    for (; extra > 0 && (*s & 0xC0) == 0x80; --extra, ++s) c = (c << 6) | (*s & 0x3F);
    if (const unsigned char byte = codePageByte(c)) push(window, kMessageChar, byte, 1);
  }
}

uint32_t buttonFlag(uint8_t button) {
  switch (button) {
    case SDL_BUTTON_LEFT: return kPointerFlagFirstButton;
    case SDL_BUTTON_RIGHT: return kPointerFlagSecondButton;
    case SDL_BUTTON_MIDDLE: return kPointerFlagThirdButton;
    default: return 0;
  }
}

void pushPointer(WindowHandle window, uint32_t message, uint32_t id, uint32_t buttons, int clientX,
                 int clientY) {
  PointerTouchInfo info;
  info.pointerId = id;
  info.pointerFlags = buttons | (buttons ? kPointerFlagInContact : 0) |
                      (message == kMessagePointerDown ? kPointerFlagDown
                       : message == kMessagePointerUp ? kPointerFlagUp
                                                 : kPointerFlagUpdate);
  // The screen position as of this event: the window's position in the
  // event stream, which the runtime's coordinates reach when it takes the
  // window's own move messages.
  info.pixelX = clientX + window->eventX + clientOffsetX(*window);
  info.pixelY = clientY + window->eventY + clientOffsetY(*window);
  const uintptr_t wParam = (static_cast<uintptr_t>(info.pointerFlags & 0xFFFF) << 16) | id;
  push(window, message, wParam, packPoint(info.pixelX, info.pixelY), info);
}

void translateMouseButton(WindowHandle window, const SDL_MouseButtonEvent& e, bool down) {
  mouseX = e.x;
  mouseY = e.y;
  const uint32_t before = mouseButtons;
  if (down)
    mouseButtons |= buttonFlag(e.button);
  else
    mouseButtons &= ~buttonFlag(e.button);
  if (mouseInPointer) {
    const uint32_t message = (before == 0 && mouseButtons != 0)   ? kMessagePointerDown
                             : (before != 0 && mouseButtons == 0) ? kMessagePointerUp
                                                                  : kMessagePointerUpdate;
    pushPointer(window, message, kMousePointerId, mouseButtons, e.x, e.y);
    return;
  }
  static const uint32_t downs[] = {0, kMessageLeftButtonDown, kMessageMiddleButtonDown, kMessageRightButtonDown};
  static const uint32_t ups[] = {0, kMessageLeftButtonUp, kMessageMiddleButtonUp, kMessageRightButtonUp};
  if (e.button >= 1 && e.button <= 3)
    push(window, down ? downs[e.button] : ups[e.button], 0, packPoint(e.x, e.y));
}

// A window in the background gets no button releases: its buttons come up.
void releaseMouseButtons(WindowHandle window) {
  if (mouseButtons == 0) return;
  mouseButtons = 0;
  if (mouseInPointer) pushPointer(window, kMessagePointerUp, kMousePointerId, 0, mouseX, mouseY);
}

// SDL reports where the client area went; the window record keeps the outer
// top-left.
void translateMove(WindowHandle window, int clientLeft, int clientTop) {
  window->eventX = clientLeft - clientOffsetX(*window);
  window->eventY = clientTop - clientOffsetY(*window);
  Queued moved{{window, kMessageMove, 0, packPoint(clientLeft, clientTop)}, {}};
  moved.outerX = window->eventX;
  moved.outerY = window->eventY;
  queue.push_back(moved);
}

void translateFinger(WindowHandle window, const SDL_TouchFingerEvent& e) {
  uint32_t id;
  auto found = fingerIds.find(e.fingerId);
  if (found != fingerIds.end()) {
    id = found->second;
  } else {
    id = 2;
    for (bool taken = true; taken;) {
      taken = false;
      for (const auto& f : fingerIds)
        if (f.second == id) {
          taken = true;
          ++id;
        }
    }
    fingerIds[e.fingerId] = id;
  }
  // Rounded down: contacts outside the client area (in the bars of a scaled
  // window) stay outside it.
  const int x = static_cast<int>(std::floor(e.x * window->clientWidth));
  const int y = static_cast<int>(std::floor(e.y * window->clientHeight));
  if (e.type == SDL_FINGERUP) {
    fingerIds.erase(e.fingerId);
    pushPointer(window, kMessagePointerUp, id, 0, x, y);
  } else {
    pushPointer(window, e.type == SDL_FINGERDOWN ? kMessagePointerDown : kMessagePointerUpdate, id,
                kPointerFlagFirstButton, x, y);
  }
}

void translate(const SDL_Event& e) {
  for (EventObserver observer : observers) observer(e);
  switch (e.type) {
    case SDL_QUIT:
      // An interrupt or termination request: ends the program like a close.
      if (WindowHandle w = firstWindow()) push(w, kMessageClose, 0, 0);
      break;
    case SDL_WINDOWEVENT: {
      WindowHandle w = windowFromSdlId(e.window.windowID);
      if (!w) break;
      if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
        w->focusRequested = false;
        push(w, kMessageActivate, kActivateActive, 0);
      } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        w->focusRequested = false;
        releaseMouseButtons(w);
        push(w, kMessageActivate, kActivateInactive, 0);
      } else if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
        push(w, kMessageSysCommand, kSysCommandClose, 0);
      } else if (e.window.event == SDL_WINDOWEVENT_MOVED) {
        translateMove(w, e.window.data1, e.window.data2);
      }
#ifdef __EMSCRIPTEN__
      // A page whose tab is hidden is out of the player's sight, as a window
      // without the focus; shown again, it is back.
      else if (e.window.event == SDL_WINDOWEVENT_HIDDEN)
        push(w, kMessageActivate, kActivateInactive, 0);
      else if (e.window.event == SDL_WINDOWEVENT_SHOWN)
        push(w, kMessageActivate, kActivateActive, 0);
#endif
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      WindowHandle w = windowFromSdlId(e.key.windowID);
      if (!w) w = firstWindow();
      if (!w) break;
      const uint32_t vk = virtualKey(e.key.keysym.sym);
      const bool alt = (e.key.keysym.mod & KMOD_ALT) != 0 || vk == 0x12;
      const bool down = e.type == SDL_KEYDOWN;
      const uint32_t message =
          alt ? (down ? kMessageSysKeyDown : kMessageSysKeyUp) : (down ? kMessageKeyDown : kMessageKeyUp);
      intptr_t lParam = 1 | (static_cast<intptr_t>(e.key.keysym.scancode & 0xFF) << 16);
      if (alt) lParam |= intptr_t{1} << 29;
      if (e.key.repeat) lParam |= intptr_t{1} << 30;  // the key was down already
      push(w, message, vk, lParam);
      break;
    }
    case SDL_TEXTINPUT: {
      WindowHandle w = windowFromSdlId(e.text.windowID);
      if (!w) w = firstWindow();
      if (w) pushText(w, e.text.text);
      break;
    }
    case SDL_MOUSEMOTION: {
      WindowHandle w = windowFromSdlId(e.motion.windowID);
      if (!w || e.motion.which == SDL_TOUCH_MOUSEID) break;
      mouseX = e.motion.x;
      mouseY = e.motion.y;
      if (mouseInPointer)
        pushPointer(w, kMessagePointerUpdate, kMousePointerId, mouseButtons, e.motion.x, e.motion.y);
      else
        push(w, kMessageMouseMove, 0, packPoint(e.motion.x, e.motion.y));
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      WindowHandle w = windowFromSdlId(e.button.windowID);
      if (!w || e.button.which == SDL_TOUCH_MOUSEID) break;
      translateMouseButton(w, e.button, e.type == SDL_MOUSEBUTTONDOWN);
      break;
    }
    case SDL_MOUSEWHEEL: {
      WindowHandle w = windowFromSdlId(e.wheel.windowID);
      if (!w || e.wheel.which == SDL_TOUCH_MOUSEID) break;
      const int delta = e.wheel.y * 120;
      push(w, kMessageMouseWheel, static_cast<uintptr_t>(static_cast<uint16_t>(delta)) << 16, 0);
      break;
    }
    case SDL_FINGERDOWN:
    case SDL_FINGERMOTION:
    case SDL_FINGERUP: {
      WindowHandle w = windowFromSdlId(e.tfinger.windowID);
      if (!w) w = firstWindow();
      if (w) translateFinger(w, e.tfinger);
      break;
    }
    default: break;
  }
}

void drainEvents() { takeSystemEvents(false); }

bool matches(const Queued& q, WindowHandle window) {
  return window == nullptr || q.message.window == window;
}

}  // namespace

void takeSystemEvents(bool wait) {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
  SDL_Event e;
  if (!runAtSeams()) {
    if (wait) {
      if (SDL_WaitEvent(&e)) {
        followScaledWindows(e);
        translate(e);
      }
    } else {
      while (SDL_PollEvent(&e)) {
        followScaledWindows(e);
        translate(e);
      }
    }
    return;
  }
  // A recorded run takes what the system delivered in the recording's terms,
  // so that a replay of it takes exactly the same; a replay takes the
  // recording's events and lets the system's go.
  std::vector<OutsideEvent> taken;
  if (runMode() == RunMode::Replaying) {
    while (SDL_PollEvent(&e)) followScaledWindows(e);  // the window's own size still counts
  } else {
    OutsideEvent outside;
    if (wait && SDL_WaitEvent(&e)) {
      followScaledWindows(e);
      if (outsideFromSdl(e, outside)) taken.push_back(outside);
    }
    while (SDL_PollEvent(&e)) {
      followScaledWindows(e);
      if (outsideFromSdl(e, outside)) taken.push_back(outside);
    }
  }
  outsideEvents(taken);
  for (const OutsideEvent& event : taken) translate(sdlFromOutside(event));
}

void addEventObserver(EventObserver observer) { observers.push_back(observer); }

bool pointerInfo(uint32_t pointerId, PointerTouchInfo& info) {
  auto found = currentPointers.find(pointerId);
  if (found == currentPointers.end()) return false;
  info = found->second;
  return true;
}

bool peekMessage(Message& message, WindowHandle window, bool remove) {
  drainEvents();
  auto it = queue.begin();
  while (it != queue.end()) {
    if (it->message.window && !isWindow(it->message.window)) {
      it = queue.erase(it);  // its window is gone
      continue;
    }
    if (!matches(*it, window)) {
      ++it;
      continue;
    }
    message = it->message;
    if (remove) {
      if (message.message >= kMessagePointerUpdate && message.message <= kMessagePointerUp)
        currentPointers[it->pointer.pointerId] = it->pointer;
      if (message.message == kMessageMove) {
        message.window->x = it->outerX;
        message.window->y = it->outerY;
      }
      queue.erase(it);
    }
    return true;
  }
  return false;
}

void waitMessage() {
  drainEvents();
  if (!queue.empty() || !ensureVideo()) return;
  // A scaled window that asks to be shown again is news enough: the intake
  // then only takes what is there (it is the same intake to a recording).
  const WindowHandle w = firstWindow();
  takeSystemEvents(!(w && w->repaint));
}

void translateMessage(const Message& message) {
  if (message.message != kMessageKeyDown) return;
  switch (message.wParam) {
    case kVirtualKeyBack:
    case kVirtualKeyTab:
    case kVirtualKeyReturn:
    case kVirtualKeyEscape: push(message.window, kMessageChar, message.wParam, message.lParam); break;
    default: break;
  }
}

intptr_t dispatchMessage(const Message& message) {
  if (!isWindow(message.window)) return 0;
  return sendMessage(message.window, message.message, message.wParam, message.lParam);
}

intptr_t sendMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (!isWindow(window) || !window->procedure) return 0;
  return window->procedure(window, message, wParam, lParam);
}

void postMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  push(window, message, wParam, lParam);
}

void postQuitMessage(int exitCode) {
  // A message of the thread: a window's pump never takes it, so it is not
  // kept (nothing here reads the thread's own messages).
  (void)exitCode;
}

intptr_t defWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == kMessageSysCommand && (wParam & 0xFFF0) == kSysCommandClose)
    return sendMessage(window, kMessageClose, 0, 0);
  return 0;
}

}  // namespace mvn::platform
