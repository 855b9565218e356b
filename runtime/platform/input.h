// Keyboard and mouse devices with their state read directly (256 key bytes by
// DIK key code; relative mouse movement, wheel and buttons), cooperative
// levels, acquiring, and the window-system input queries the input layer
// falls back on. Cursor placement and coordinates are in cursor.h.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/platform/window.h"

namespace mvn::platform {

// Cooperative levels: exclusive (the pointer is hidden and the movement is
// relative) or shared, both only while the window is in the foreground.
constexpr int DISCL_EXCLUSIVE = 0x1;
constexpr int DISCL_NONEXCLUSIVE = 0x2;
constexpr int DISCL_FOREGROUND = 0x4;
constexpr int kExclusiveForeground = DISCL_EXCLUSIVE | DISCL_FOREGROUND;     // 5
constexpr int kNonExclusiveForeground = DISCL_NONEXCLUSIVE | DISCL_FOREGROUND;  // 6

// Key codes of the keyboard state (DIK numbering) the runtime names.
constexpr int DIK_ESCAPE = 0x01;
constexpr int DIK_LMENU = 0x38;  // left Alt
constexpr int DIK_F4 = 0x3E;

// The DIK code of an SDL scancode, or 0 for a key without one. No key
// produces 0x81.
int dikFromScancode(int scancode);

struct DirectInput;
enum class DeviceKind { Keyboard, Mouse };
struct InputDevice;

// The device interface: null when the display delivers no keyboard or mouse.
DirectInput* createDirectInput();
void releaseDirectInput(DirectInput* input);

InputDevice* createDevice(DirectInput* input, DeviceKind kind);
void releaseDevice(InputDevice* device);
// The kind's one data format (256 key bytes; 16 bytes of mouse state).
void setDataFormat(InputDevice* device);
bool setCooperativeLevel(InputDevice* device, WindowHandle window, int level);
// Fails while the device's window is not the foreground window.
bool acquire(InputDevice* device);
void unacquire(InputDevice* device);

// 0x80 for each key that is down, and at the first read after it went down
// even when it came up again before that read (a tap between two reads is
// never lost). Fails when the device is not acquired or has lost the
// foreground.
bool getKeyboardState(InputDevice* device, uint8_t keys[256]);

struct MouseDeviceState {
  int32_t x = 0, y = 0, z = 0;  // movement since the last read; z: the wheel
  // 0x80 while down, and at the first read after a press even when the button
  // came up again before that read (a press between two reads is never lost).
  uint8_t buttons[4] = {0, 0, 0, 0};
};
// Acquiring starts afresh: movement and presses before it do not count.
bool getMouseState(InputDevice* device, MouseDeviceState& state);

// Device reads so far (successful or not), for checks of the polling rate.
int keyboardReads();

// GetAsyncKeyState of the three mouse buttons (0 left, 1 right, 2 middle).
bool mouseButtonDown(int button);
// GetKeyboardState: 256 bytes by virtual-key code, bit 7 for a key down.
void getVirtualKeyState(uint8_t keys[256]);
// GetInputState: lets the window system bring the device states up to date.
void refreshInputState();

// The system's major and minor version. This layer reports 10.0: the mouse
// arrives as pointer messages once EnableMouseInPointer has run.
void systemVersion(int& major, int& minor);

// Game controllers, by index among those attached now.
int controllerCount();
// "<instance name>, <product name>".
std::string controllerName(int index);
struct Controller;
Controller* openController(int index);  // null when there is no such controller
void closeController(Controller* controller);
struct ControllerState {
  int32_t axes[6] = {0, 0, 0, 0, 0, 0};  // X, Y, Z, RX, RY, RZ, -32768..32767
  int hatX = 0;                          // point-of-view hat: -1 left, +1 right
  int hatY = 0;                          // -1 up, +1 down
  uint32_t buttons = 0;                  // bit n: button n down
};
bool readController(Controller* controller, ControllerState& state);

// For tests: a controller that exists only in software, and its controls.
int attachVirtualController();  // its index, or -1
void detachVirtualController(int index);
void setVirtualControllerAxis(int index, int axis, int value);
void setVirtualControllerButton(int index, int button, bool down);
void setVirtualControllerHat(int index, int x, int y);

// For tests: puts an event on the queue as if the system had sent it.
void injectKey(WindowHandle window, int scancode, bool down);
// Motion to a client position, with the relative movement the event carries.
void injectMouseMotion(WindowHandle window, int clientX, int clientY, int dx, int dy);
void injectMouseButton(WindowHandle window, int button, bool down, int clientX, int clientY);
void injectMouseWheel(WindowHandle window, int steps);

}  // namespace mvn::platform
