// The fields of SDL's events that the layer reads, kept by kind. A window is
// kept only as "one of the layer's" or not: the runtime has one window, and
// a replay's window has an SDL id of its own.
#include "runtime/platform/sdl2/outside_events.h"

#include <cstring>

#include "runtime/platform/sdl2/sdl_window.h"

namespace mvn::platform {

namespace {

enum Kind : uint8_t { Quit = 1, WindowEvent = 2, Key = 3, Text = 4, Motion = 5, Button = 6, Wheel = 7, Finger = 8 };
enum WindowWhat : int64_t { FocusGained = 1, FocusLost = 2, Close = 3, Moved = 4, Hidden = 5, Shown = 6 };

int64_t ours(uint32_t windowId) { return windowId != 0 && windowFromSdlId(windowId) ? 1 : 0; }

uint32_t windowIdOf(int64_t ours) {
  if (!ours) return 0;
  SDL_Window* sdl = sdlWindow(firstWindow());
  return sdl ? SDL_GetWindowID(sdl) : 0;
}

int64_t bitsOf(float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

float floatOf(int64_t bits) {
  const uint32_t b = static_cast<uint32_t>(bits);
  float value = 0;
  std::memcpy(&value, &b, sizeof value);
  return value;
}

int64_t touchFlag(uint32_t which) { return which == SDL_TOUCH_MOUSEID ? 1 : 0; }
uint32_t whichOf(int64_t touch) { return touch ? SDL_TOUCH_MOUSEID : 0; }

}  // namespace

bool outsideFromSdl(const SDL_Event& e, OutsideEvent& o) {
  o = OutsideEvent{};
  switch (e.type) {
    case SDL_QUIT:
      o.kind = Quit;
      return true;
    case SDL_WINDOWEVENT: {
      int64_t what = 0;
      switch (e.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED: what = FocusGained; break;
        case SDL_WINDOWEVENT_FOCUS_LOST: what = FocusLost; break;
        case SDL_WINDOWEVENT_CLOSE: what = Close; break;
        case SDL_WINDOWEVENT_MOVED: what = Moved; break;
        case SDL_WINDOWEVENT_HIDDEN: what = Hidden; break;
        case SDL_WINDOWEVENT_SHOWN: what = Shown; break;
        default: return false;
      }
      o.kind = WindowEvent;
      o.values = {what, ours(e.window.windowID), e.window.data1, e.window.data2};
      return true;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      o.kind = Key;
      o.values = {ours(e.key.windowID), e.type == SDL_KEYDOWN ? 1 : 0, e.key.keysym.scancode,
                  e.key.keysym.sym, e.key.keysym.mod, e.key.repeat};
      return true;
    case SDL_TEXTINPUT:
      o.kind = Text;
      o.values = {ours(e.text.windowID)};
      o.text = e.text.text;
      return true;
    case SDL_MOUSEMOTION:
      o.kind = Motion;
      o.values = {ours(e.motion.windowID), touchFlag(e.motion.which), e.motion.x, e.motion.y,
                  e.motion.xrel, e.motion.yrel, e.motion.state};
      return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      o.kind = Button;
      o.values = {ours(e.button.windowID), touchFlag(e.button.which),
                  e.type == SDL_MOUSEBUTTONDOWN ? 1 : 0, e.button.button, e.button.x, e.button.y,
                  e.button.clicks};
      return true;
    case SDL_MOUSEWHEEL:
      o.kind = Wheel;
      o.values = {ours(e.wheel.windowID), touchFlag(e.wheel.which), e.wheel.x, e.wheel.y,
                  e.wheel.direction};
      return true;
    case SDL_FINGERDOWN:
    case SDL_FINGERMOTION:
    case SDL_FINGERUP:
      o.kind = Finger;
      o.values = {ours(e.tfinger.windowID),
                  int64_t{e.type == SDL_FINGERDOWN ? 1 : e.type == SDL_FINGERUP ? 3 : 2},
                  e.tfinger.touchId,
                  e.tfinger.fingerId,
                  bitsOf(e.tfinger.x),
                  bitsOf(e.tfinger.y),
                  bitsOf(e.tfinger.dx),
                  bitsOf(e.tfinger.dy),
                  bitsOf(e.tfinger.pressure)};
      return true;
    default:
      return false;
  }
}

SDL_Event sdlFromOutside(const OutsideEvent& o) {
  SDL_Event e{};
  // A damaged or foreign list of values reads as zeros.
  auto v = [&](size_t i) { return i < o.values.size() ? o.values[i] : 0; };
  switch (o.kind) {
    case Quit:
      e.type = SDL_QUIT;
      break;
    case WindowEvent: {
      e.type = SDL_WINDOWEVENT;
      static const Uint8 events[] = {SDL_WINDOWEVENT_NONE,  SDL_WINDOWEVENT_FOCUS_GAINED,
                                     SDL_WINDOWEVENT_FOCUS_LOST, SDL_WINDOWEVENT_CLOSE,
                                     SDL_WINDOWEVENT_MOVED, SDL_WINDOWEVENT_HIDDEN,
                                     SDL_WINDOWEVENT_SHOWN};
      const int64_t what = v(0);
      e.window.event = what >= 1 && what <= 6 ? events[what] : Uint8{SDL_WINDOWEVENT_NONE};
      e.window.windowID = windowIdOf(v(1));
      e.window.data1 = static_cast<Sint32>(v(2));
      e.window.data2 = static_cast<Sint32>(v(3));
      break;
    }
    case Key:
      e.type = v(1) ? SDL_KEYDOWN : SDL_KEYUP;
      e.key.windowID = windowIdOf(v(0));
      e.key.state = v(1) ? SDL_PRESSED : SDL_RELEASED;
      e.key.keysym.scancode = static_cast<SDL_Scancode>(v(2));
      e.key.keysym.sym = static_cast<SDL_Keycode>(v(3));
      e.key.keysym.mod = static_cast<Uint16>(v(4));
      e.key.repeat = static_cast<Uint8>(v(5));
      break;
    case Text:
      e.type = SDL_TEXTINPUT;
      e.text.windowID = windowIdOf(v(0));
      std::strncpy(e.text.text, o.text.c_str(), sizeof e.text.text - 1);
      break;
    case Motion:
      e.type = SDL_MOUSEMOTION;
      e.motion.windowID = windowIdOf(v(0));
      e.motion.which = whichOf(v(1));
      e.motion.x = static_cast<Sint32>(v(2));
      e.motion.y = static_cast<Sint32>(v(3));
      e.motion.xrel = static_cast<Sint32>(v(4));
      e.motion.yrel = static_cast<Sint32>(v(5));
      e.motion.state = static_cast<Uint32>(v(6));
      break;
    case Button:
      e.type = v(2) ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
      e.button.windowID = windowIdOf(v(0));
      e.button.which = whichOf(v(1));
      e.button.state = v(2) ? SDL_PRESSED : SDL_RELEASED;
      e.button.button = static_cast<Uint8>(v(3));
      e.button.x = static_cast<Sint32>(v(4));
      e.button.y = static_cast<Sint32>(v(5));
      e.button.clicks = static_cast<Uint8>(v(6));
      break;
    case Wheel:
      e.type = SDL_MOUSEWHEEL;
      e.wheel.windowID = windowIdOf(v(0));
      e.wheel.which = whichOf(v(1));
      e.wheel.x = static_cast<Sint32>(v(2));
      e.wheel.y = static_cast<Sint32>(v(3));
      e.wheel.direction = static_cast<Uint32>(v(4));
      break;
    case Finger:
      e.type = v(1) == 1 ? SDL_FINGERDOWN : v(1) == 3 ? SDL_FINGERUP : SDL_FINGERMOTION;
      e.tfinger.windowID = windowIdOf(v(0));
      e.tfinger.touchId = v(2);
      e.tfinger.fingerId = v(3);
      e.tfinger.x = floatOf(v(4));
      e.tfinger.y = floatOf(v(5));
      e.tfinger.dx = floatOf(v(6));
      e.tfinger.dy = floatOf(v(7));
      e.tfinger.pressure = floatOf(v(8));
      break;
    default:
      e.type = SDL_FIRSTEVENT;  // nothing takes it
      break;
  }
  return e;
}

}  // namespace mvn::platform
