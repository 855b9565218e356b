// The input system: keyboard state, mouse records and the pointer mode.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/platform/input.h"
#include "runtime/platform/window.h"

namespace mvn {

// One mouse: the position integrated from relative movement, the position
// last handed out, and wheel steps not handed out yet. Client pixels.
struct MouseRecord {
  int32_t trackedX = 0;
  int32_t trackedY = 0;
  int32_t reportedX = 100;
  int32_t reportedY = 100;
  int32_t wheel = 0;
};

// The result of one mouse poll.
struct MouseReport {
  int16_t button1 = 0;
  int16_t button2 = 0;
  int16_t button3 = 0;
  int16_t dx = 0;  // movement since the reported position
  int16_t dy = 0;
  int16_t wheelSteps = 0;
};

constexpr int kMaxJoysticks = 10;

struct InputSystem {
  int32_t keyPollCounter = 0;
  std::string typedText;  // filled by the message pump, emptied by the text commands
  std::vector<MouseRecord> mice;
  int32_t currentMouse = 0;
  platform::DirectInput* directInput = nullptr;
  platform::InputDevice* keyboardDevice = nullptr;
  platform::InputDevice* mouseDevice = nullptr;
  platform::Controller* joystickDevices[kMaxJoysticks] = {};
  std::string joystickNames[kMaxJoysticks];
  int32_t joystickCount = 0;
  uint8_t keyState[256] = {};
  // Edges: the key state of the frame before the one keyState was read in;
  // the mouse buttons (bits 0 to 2) the last read found down, those any read
  // found newly down since the frame's snapshot, and the snapshots of this
  // frame and of the one before.
  uint8_t previousKeyState[256] = {};
  bool keysOfEarlierFrame = false;  // the next keyboard read starts a frame
  int32_t lastReadButtons = 0;
  int32_t pressesSinceSnapshot = 0;
  int32_t frameButtons = 0;
  int32_t previousFrameButtons = 0;
  bool buttonsOfEarlierFrame = true;  // the next edge query takes a snapshot
  platform::WindowHandle window = nullptr;
  uint8_t systemPointer = 0;  // 1: system pointer shown; 0: hidden, relative movement
  int32_t mouseCooperation = platform::kExclusiveForeground;

  InputSystem() {
    mice.reserve(4);
    mice.resize(1);
  }
};

// The running program's input system, or null before start-up creates it.
InputSystem* currentInput();

}  // namespace mvn
