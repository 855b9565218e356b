#include "runtime/input/input_devices.h"

#include <cstring>

#include "runtime/core/log.h"
#include "runtime/core/runtime_objects.h"
#include "runtime/input/input_system.h"
#include "runtime/platform/cursor.h"

namespace mvn {

InputSystem* currentInput() { return runtimeObjects.inputSystem; }

namespace {

// The attached game controllers, the first ten of them.
void openControllers(InputSystem& input) {
  input.joystickCount = 0;
  const int attached = platform::controllerCount();
  for (int index = 0; index < attached && input.joystickCount < kMaxJoysticks; ++index) {
    platform::Controller* controller = platform::openController(index);
    if (!controller) continue;
    input.joystickDevices[input.joystickCount] = controller;
    input.joystickNames[input.joystickCount] = platform::controllerName(index);
    input.joystickCount++;
  }
}

}  // namespace

void createInputSystem() {
  if (!runtimeObjects.inputSystem) runtimeObjects.inputSystem = new InputSystem;
}

void destroyInputSystem() {
  delete runtimeObjects.inputSystem;
  runtimeObjects.inputSystem = nullptr;
}

void setInputWindow(platform::WindowHandle window) {
  if (InputSystem* input = currentInput()) input->window = window;
}

int createInputDevices(platform::WindowHandle window, platform::ModuleHandle, int exclusiveMouse) {
  InputSystem* input = currentInput();
  if (!input) return 0;
  input->currentMouse = 0;
  input->directInput = platform::createDirectInput();
  if (!input->directInput) logLine("No DX_Input\n");

  input->window = window;
  int x = 0, y = 0;
  platform::getCursorPos(x, y);
  platform::screenToClient(window, x, y);
  MouseRecord& mouse = input->mice[0];
  mouse.trackedX = mouse.reportedX = x;
  mouse.trackedY = mouse.reportedY = y;
  std::memset(input->keyState, 0, sizeof input->keyState);

  if (!input->directInput) {
    openControllers(*input);
    return 0;
  }

  input->keyboardDevice = platform::createDevice(input->directInput, platform::DeviceKind::Keyboard);
  if (input->keyboardDevice) {
    platform::setDataFormat(input->keyboardDevice);
    platform::setCooperativeLevel(input->keyboardDevice, window, platform::kNonExclusiveForeground);
    if (!platform::acquire(input->keyboardDevice)) logLine("can't aquire keyboard - first try\n");
  }

  int status = 1;
  input->systemPointer = 0;
  if (exclusiveMouse) {
    input->mouseDevice = platform::createDevice(input->directInput, platform::DeviceKind::Mouse);
    if (input->mouseDevice) {
      platform::setDataFormat(input->mouseDevice);
      input->mouseCooperation = platform::kExclusiveForeground;
      if (platform::setCooperativeLevel(input->mouseDevice, window, input->mouseCooperation) &&
          !platform::acquire(input->mouseDevice)) {
        logLine("can't aquire mouse - first try\n");
        logLine("No DX_Mouse\n");
        status = 0;
      }
    }
  } else {
    platform::setCursor(platform::Cursor::Arrow);
    input->systemPointer = 1;
  }
  openControllers(*input);
  return status;
}

void releaseInputDevices() {
  InputSystem* input = currentInput();
  if (!input) return;
  if (input->mouseDevice) {
    platform::unacquire(input->mouseDevice);
    platform::setCooperativeLevel(input->mouseDevice, input->window, platform::kNonExclusiveForeground);
    platform::acquire(input->mouseDevice);
  }
  if (input->systemPointer == 0 && !input->mice.empty()) {
    const MouseRecord& mouse = input->mice[input->currentMouse];
    int x = mouse.reportedX, y = mouse.reportedY;
    platform::clientToScreen(input->window, x, y);
    platform::setCursorPos(x, y);
  }
  platform::setCursor(platform::Cursor::Arrow);
  input->systemPointer = 1;

  platform::releaseDevice(input->mouseDevice);
  platform::releaseDevice(input->keyboardDevice);
  for (platform::Controller*& controller : input->joystickDevices) {
    platform::closeController(controller);
    controller = nullptr;
  }
  input->joystickCount = 0;
  platform::releaseDirectInput(input->directInput);
  input->mouseDevice = input->keyboardDevice = nullptr;
  input->directInput = nullptr;
  input->mice.clear();
  input->mice.shrink_to_fit();
  input->typedText.clear();
  input->typedText.shrink_to_fit();
}

}  // namespace mvn
