#include "runtime/input/keyboard.h"

#include <cstring>

#include "runtime/input/input_system.h"

namespace mvn {

namespace {

constexpr int kKey129 = 0x81;  // no key of this platform produces it

}  // namespace

void pollKeyboard() {
  InputSystem* input = currentInput();
  if (!input) return;
  if (++input->keyPollCounter <= 100) return;
  input->keyPollCounter = 0;
  // The first read of a frame keeps the last frame's state for the edges.
  if (input->keysOfEarlierFrame) {
    std::memcpy(input->previousKeyState, input->keyState, sizeof input->keyState);
    input->keysOfEarlierFrame = false;
  }
  if (platform::foregroundWindow() != input->window) return;

  std::memset(input->keyState, 0, sizeof input->keyState);
  if (!input->keyboardDevice) {
    platform::getVirtualKeyState(input->keyState);
    return;
  }
  platform::refreshInputState();
  if (!platform::acquire(input->keyboardDevice)) {
    platform::setDataFormat(input->keyboardDevice);
    platform::setCooperativeLevel(input->keyboardDevice, input->window,
                                  platform::kNonExclusiveForeground);
    platform::acquire(input->keyboardDevice);
  }
  if (!platform::getKeyboardState(input->keyboardDevice, input->keyState)) {
    std::memset(input->keyState, 0, sizeof input->keyState);
  }
}

int isKeyDown(int code) {
  if (code < 0 || code > 255) return 0;
  pollKeyboard();
  InputSystem* input = currentInput();
  return input && input->keyboardDevice && (input->keyState[code] & 0x80) ? 1 : 0;
}

int keyWentDown(int code) {
  if (!isKeyDown(code)) return 0;
  const InputSystem* input = currentInput();
  return (input->previousKeyState[code] & 0x80) ? 0 : 1;
}

int keyWentUp(int code) {
  if (code < 0 || code > 255 || isKeyDown(code)) return 0;
  const InputSystem* input = currentInput();
  return input && input->keyboardDevice && (input->previousKeyState[code] & 0x80) ? 1 : 0;
}

void resetKeyPolling() {
  InputSystem* input = currentInput();
  if (!input) return;
  input->keyPollCounter = 100000;
  input->keysOfEarlierFrame = true;
  input->buttonsOfEarlierFrame = true;
}

bool quitKeyDown() { return isKeyDown(kKey129) || isKeyDown(platform::DIK_ESCAPE); }

bool closeKeysDown() { return isKeyDown(platform::DIK_LMENU) && isKeyDown(platform::DIK_F4); }

}  // namespace mvn
