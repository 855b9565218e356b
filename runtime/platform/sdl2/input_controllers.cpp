// Game controllers on SDL's joystick interface: six axes, a hat, 32 buttons.
#include <SDL.h>

#include <algorithm>
#include <vector>

#include "runtime/platform/input.h"
#include "runtime/platform/recording.h"

namespace mvn::platform {

struct Controller {
  SDL_Joystick* joystick = nullptr;
};

namespace {

bool joysticksReady() {
  return SDL_WasInit(SDL_INIT_JOYSTICK) || SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
}

int liveControllerCount() {
  if (!joysticksReady()) return 0;
  SDL_JoystickUpdate();
  return std::max(0, SDL_NumJoysticks());
}

std::string liveControllerName(int index) {
  if (!joysticksReady()) return {};
  const char* name = SDL_JoystickNameForIndex(index);
  std::string product = name ? name : "";
  return product + ", " + product;
}

bool liveReadController(Controller* controller, ControllerState& state) {
  state = ControllerState{};
  if (!controller || !controller->joystick || !SDL_JoystickGetAttached(controller->joystick))
    return false;
  SDL_JoystickUpdate();
  SDL_Joystick* j = controller->joystick;
  const int axes = std::min(SDL_JoystickNumAxes(j), 6);
  for (int a = 0; a < axes; ++a) state.axes[a] = SDL_JoystickGetAxis(j, a);
  if (SDL_JoystickNumHats(j) > 0) {
    const Uint8 hat = SDL_JoystickGetHat(j, 0);
    state.hatX = (hat & SDL_HAT_LEFT) ? -1 : (hat & SDL_HAT_RIGHT) ? 1 : 0;
    state.hatY = (hat & SDL_HAT_UP) ? -1 : (hat & SDL_HAT_DOWN) ? 1 : 0;
  }
  const int buttons = std::min(SDL_JoystickNumButtons(j), 32);
  for (int b = 0; b < buttons; ++b) {
    if (SDL_JoystickGetButton(j, b)) state.buttons |= 1u << b;
  }
  return true;
}

}  // namespace

// The controllers attached, their names and states come through the
// recording (recording.h). A replay opens none of the system's: a
// controller the recorded run opened is a handle without a device, whose
// states the recording holds.
int controllerCount() {
  return static_cast<int>(outsideValue(OutsideRead::ControllerCount, liveControllerCount()));
}

std::string controllerName(int index) {
  const bool replaying = runMode() == RunMode::Replaying;
  return outsideText(OutsideRead::ControllerName, replaying ? "" : liveControllerName(index));
}

Controller* openController(int index) {
  SDL_Joystick* joystick = nullptr;
  if (runMode() != RunMode::Replaying && joysticksReady()) joystick = SDL_JoystickOpen(index);
  if (outsideValue(OutsideRead::ControllerOpened, joystick ? 1 : 0) == 0) {
    if (joystick) SDL_JoystickClose(joystick);
    return nullptr;
  }
  return new Controller{joystick};
}

void closeController(Controller* controller) {
  if (!controller) return;
  if (controller->joystick) SDL_JoystickClose(controller->joystick);
  delete controller;
}

bool readController(Controller* controller, ControllerState& state) {
  const bool read = liveReadController(controller, state);
  if (!controller) return false;
  std::vector<int64_t> values{read ? 1 : 0};
  for (int32_t axis : state.axes) values.push_back(axis);
  values.insert(values.end(), {state.hatX, state.hatY, state.buttons});
  outsideValues(OutsideRead::ControllerState, values);
  if (values.size() != 10) return false;
  for (int a = 0; a < 6; ++a) state.axes[a] = static_cast<int32_t>(values[1 + a]);
  state.hatX = static_cast<int>(values[7]);
  state.hatY = static_cast<int>(values[8]);
  state.buttons = static_cast<uint32_t>(values[9]);
  return values[0] != 0;
}

namespace {

// The virtual controllers' own handles, through which their controls are set.
SDL_Joystick* virtualJoystick(int index) {
  if (!joysticksReady() || !SDL_JoystickIsVirtual(index)) return nullptr;
  return SDL_JoystickOpen(index);  // counted: each open is matched by a close
}

}  // namespace

int attachVirtualController() {
  if (!joysticksReady()) return -1;
  return SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6, 32, 1);
}

void detachVirtualController(int index) {
  if (joysticksReady()) SDL_JoystickDetachVirtual(index);
}

void setVirtualControllerAxis(int index, int axis, int value) {
  if (SDL_Joystick* j = virtualJoystick(index)) {
    SDL_JoystickSetVirtualAxis(j, axis, static_cast<Sint16>(std::clamp(value, -32768, 32767)));
    SDL_JoystickClose(j);
  }
}

void setVirtualControllerButton(int index, int button, bool down) {
  if (SDL_Joystick* j = virtualJoystick(index)) {
    SDL_JoystickSetVirtualButton(j, button, down ? SDL_PRESSED : SDL_RELEASED);
    SDL_JoystickClose(j);
  }
}

void setVirtualControllerHat(int index, int x, int y) {
  if (SDL_Joystick* j = virtualJoystick(index)) {
    Uint8 hat = SDL_HAT_CENTERED;
    if (x < 0) hat |= SDL_HAT_LEFT;
    if (x > 0) hat |= SDL_HAT_RIGHT;
    if (y < 0) hat |= SDL_HAT_UP;
    if (y > 0) hat |= SDL_HAT_DOWN;
    SDL_JoystickSetVirtualHat(j, 0, hat);
    SDL_JoystickClose(j);
  }
}

}  // namespace mvn::platform
