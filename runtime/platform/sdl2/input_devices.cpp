// Keyboard and mouse devices over SDL's event stream: an event watch keeps
// the keys held and the mouse movement, wheel and buttons since the last
// read; the exclusive level switches SDL's relative mouse mode.
#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "runtime/platform/input.h"
#include "runtime/platform/recording.h"
#include "runtime/platform/sdl2/sdl_window.h"

namespace mvn::platform {

struct DirectInput {};

struct InputDevice {
  DeviceKind kind = DeviceKind::Keyboard;
  WindowHandle window = nullptr;
  int level = 0;
  bool formatSet = false;
  bool acquired = false;
};

namespace {

bool keyHeld[SDL_NUM_SCANCODES];
bool keyPressed[SDL_NUM_SCANCODES];  // keys that went down since the last read
int32_t mouseDx = 0, mouseDy = 0, mouseDz = 0;
uint8_t mouseButtons[4];
uint8_t mousePresses[4];  // buttons that went down since the last read
int keyboardReadCount = 0;
std::vector<InputDevice*> devices;  // every device not yet released

// Movement piles up between reads; it saturates instead of overflowing.
void accumulate(int32_t& total, int32_t delta) {
  const int64_t sum = int64_t{total} + delta;
  total = sum > INT32_MAX ? INT32_MAX : sum < INT32_MIN ? INT32_MIN : static_cast<int32_t>(sum);
}

int SDLCALL watchInput(void*, SDL_Event* event) {
  switch (event->type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      int code = event->key.keysym.scancode;
      if (code > 0 && code < SDL_NUM_SCANCODES) {
        keyHeld[code] = event->type == SDL_KEYDOWN;
        keyPressed[code] = keyPressed[code] || keyHeld[code];
      }
      break;
    }
    case SDL_MOUSEMOTION:
      if (event->motion.which == SDL_TOUCH_MOUSEID) break;
      accumulate(mouseDx, event->motion.xrel);
      accumulate(mouseDy, event->motion.yrel);
      break;
    case SDL_MOUSEWHEEL:
      accumulate(mouseDz, event->wheel.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      if (event->button.which == SDL_TOUCH_MOUSEID) break;
      // The device numbers the buttons first, second (right), third (middle).
      int index = event->button.button == SDL_BUTTON_LEFT     ? 0
                  : event->button.button == SDL_BUTTON_RIGHT  ? 1
                  : event->button.button == SDL_BUTTON_MIDDLE ? 2
                  : event->button.button == SDL_BUTTON_X1     ? 3
                                                              : -1;
      if (index >= 0) {
        mouseButtons[index] = event->type == SDL_MOUSEBUTTONDOWN ? 0x80 : 0;
        mousePresses[index] |= mouseButtons[index];
      }
      break;
    }
    case SDL_WINDOWEVENT:
      // A window in the background gets no key or button releases: forget
      // what was held.
      if (event->window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        std::memset(keyHeld, 0, sizeof keyHeld);
        std::memset(keyPressed, 0, sizeof keyPressed);
        std::memset(mouseButtons, 0, sizeof mouseButtons);
        std::memset(mousePresses, 0, sizeof mousePresses);
      }
      break;
    default:
      break;
  }
  return 1;
}

void watchTakenInput(const SDL_Event& event) { watchInput(nullptr, const_cast<SDL_Event*>(&event)); }

void applyMouseMode(const InputDevice* device) {
  bool exclusive = device->acquired && (device->level & DISCL_EXCLUSIVE);
  SDL_SetRelativeMouseMode(exclusive ? SDL_TRUE : SDL_FALSE);
}

bool inForeground(const InputDevice* device) {
  return device->window && foregroundWindow() == device->window;
}

// The devices are bound to the foreground: the system takes them away from a
// window that loses it (an exclusive mouse gives the pointer back at once).
void loseForeground(const SDL_Event& event) {
  if (event.type != SDL_WINDOWEVENT || event.window.event != SDL_WINDOWEVENT_FOCUS_LOST) return;
  const WindowHandle window = windowFromSdlId(event.window.windowID);
  for (InputDevice* device : devices)
    if (device->window == window) unacquire(device);
}

// A read of a device whose window went to the background fails and leaves
// it unacquired.
bool readable(InputDevice* device) {
  if (!device->acquired) return false;
  if (inForeground(device)) return true;
  unacquire(device);
  return false;
}

}  // namespace

DirectInput* createDirectInput() {
  if (!ensureVideo()) return nullptr;
  // Drivers without a display (offscreen, dummy) deliver no keyboard or mouse.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0) {
    return nullptr;
  }
  static bool watching = false;
  if (!watching) {
    // A recorded or replayed run changes the device states only where it
    // takes the system's events in (outside_events.h), as the queue does.
    if (runAtSeams())
      addEventObserver(watchTakenInput);
    else
      SDL_AddEventWatch(watchInput, nullptr);
    addEventObserver(loseForeground);
    watching = true;
  }
  return new DirectInput;
}

void releaseDirectInput(DirectInput* input) { delete input; }

InputDevice* createDevice(DirectInput* input, DeviceKind kind) {
  if (!input) return nullptr;
  auto* device = new InputDevice;
  device->kind = kind;
  devices.push_back(device);
  return device;
}

void releaseDevice(InputDevice* device) {
  if (!device) return;
  unacquire(device);
  devices.erase(std::remove(devices.begin(), devices.end(), device), devices.end());
  delete device;
}

void setDataFormat(InputDevice* device) {
  if (device) device->formatSet = true;
}

bool setCooperativeLevel(InputDevice* device, WindowHandle window, int level) {
  if (!device || !isWindow(window)) return false;
  bool exclusive = level & DISCL_EXCLUSIVE, shared = level & DISCL_NONEXCLUSIVE;
  if (exclusive == shared) return false;
  device->window = window;
  device->level = level;
  if (device->kind == DeviceKind::Mouse && device->acquired) applyMouseMode(device);
  return true;
}

bool acquire(InputDevice* device) {
  if (!device || !device->formatSet || !isWindow(device->window)) return false;
  if (!inForeground(device)) return false;
  if (device->acquired) return true;
  device->acquired = true;
  if (device->kind == DeviceKind::Mouse) {
    mouseDx = mouseDy = mouseDz = 0;
    std::memset(mousePresses, 0, sizeof mousePresses);
    applyMouseMode(device);
  }
  return true;
}

void unacquire(InputDevice* device) {
  if (!device || !device->acquired) return;
  device->acquired = false;
  if (device->kind == DeviceKind::Mouse) applyMouseMode(device);
}

bool getKeyboardState(InputDevice* device, uint8_t keys[256]) {
  keyboardReadCount++;
  if (!device || device->kind != DeviceKind::Keyboard || !readable(device)) return false;
  // A key that went down since the last read counts as down once, even when
  // it is already up again: a tap between two reads is never lost.
  std::memset(keys, 0, 256);
  for (int code = 1; code < SDL_NUM_SCANCODES; ++code) {
    if (keyHeld[code] || keyPressed[code]) {
      if (int dik = dikFromScancode(code)) keys[dik] = 0x80;
    }
  }
  std::memset(keyPressed, 0, sizeof keyPressed);
  return true;
}

bool getMouseState(InputDevice* device, MouseDeviceState& state) {
  if (!device || device->kind != DeviceKind::Mouse || !readable(device)) return false;
  state.x = mouseDx;
  state.y = mouseDy;
  state.z = mouseDz;
  for (int b = 0; b < 4; ++b) state.buttons[b] = mouseButtons[b] | mousePresses[b];
  std::memset(mousePresses, 0, sizeof mousePresses);
  mouseDx = mouseDy = mouseDz = 0;
  return true;
}

int keyboardReads() { return keyboardReadCount; }

}  // namespace mvn::platform
