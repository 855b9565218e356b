#include "runtime/input/controllers.h"

#include <algorithm>

#include "runtime/input/input_system.h"

namespace mvn {

namespace {

platform::ControllerState readJoystick(int index) {
  platform::ControllerState state;
  const InputSystem* input = currentInput();
  if (input && index >= 0 && index < input->joystickCount) {
    platform::readController(input->joystickDevices[index], state);
  }
  return state;
}

}  // namespace

int joystickCount() {
  const InputSystem* input = currentInput();
  return input ? input->joystickCount : 0;
}

void joystickState(int index, double& x, double& y, int& button1, int& button2) {
  const platform::ControllerState state = readJoystick(index);
  x = state.axes[0] / 30000.0;
  y = state.axes[1] / 30000.0;
  button1 = state.buttons & 1 ? 1 : 0;
  button2 = state.buttons & 2 ? 1 : 0;
}

double joystickAxis(int index, int axis) {
  if (axis < 0 || axis > 5) return 0;
  return std::clamp(readJoystick(index).axes[axis] / 32767.0, -1.0, 1.0);
}

void joystickHat(int index, int& x, int& y) {
  const platform::ControllerState state = readJoystick(index);
  x = state.hatX;
  y = state.hatY;
}

int joystickButton(int index, int button) {
  if (button < 0 || button > 31) return 0;
  return readJoystick(index).buttons >> button & 1;
}

const char* joystickName(int index) {
  const InputSystem* input = currentInput();
  if (!input || index < 0 || index >= input->joystickCount) return "";
  return input->joystickNames[index].c_str();
}

}  // namespace mvn
