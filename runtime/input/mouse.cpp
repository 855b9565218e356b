#include "runtime/input/mouse.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "runtime/core/log.h"
#include "runtime/core/pointer_slots.h"
#include "runtime/platform/cursor.h"
#include "runtime/values/errors.h"
#include "runtime/values/error_trace.h"

namespace mvn {

int windows8OrLater = -1;

namespace {

// Positions are summed and turned in 64 bits and held to the range of the
// result, so that no position, movement or scale overflows.
int32_t clampToInt(int64_t value) {
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

int16_t clampToShort(int64_t value) {
  if (value > std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
  if (value < std::numeric_limits<int16_t>::min()) return std::numeric_limits<int16_t>::min();
  return static_cast<int16_t>(value);
}

// Truncated toward zero and held to the int range; NaN gives 0.
int32_t truncateToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

struct MouseReading {
  int buttons = 0;  // bit 0 first, bit 1 second, bit 2 third
  int x = 0;
  int y = 0;
  int wheel = 0;  // -1, 0 or +1
};

void learnSystemVersion() {
  if (windows8OrLater >= 0) return;
  int major = 0, minor = 0;
  platform::systemVersion(major, minor);
  char line[64];
  std::snprintf(line, sizeof line, "Win: %d, %d\n", major, minor);
  logLine(line);
  windows8OrLater = (major > 6 || (major == 6 && minor >= 2)) ? 1 : 0;
}

void pointerClientPosition(const InputSystem& input, int& x, int& y) {
  platform::getCursorPos(x, y);
  platform::screenToClient(input.window, x, y);
}

MouseRecord& currentRecord(InputSystem& input) { return input.mice[input.currentMouse]; }

void movePointerToReported(InputSystem& input) {
  if (input.mice.empty()) return;
  const MouseRecord& mouse = currentRecord(input);
  int x = mouse.reportedX, y = mouse.reportedY;
  platform::clientToScreen(input.window, x, y);
  platform::setCursorPos(x, y);
}

void setMouseLevel(InputSystem& input, int level) {
  if (!input.mouseDevice) return;
  platform::unacquire(input.mouseDevice);
  platform::setCooperativeLevel(input.mouseDevice, input.window, level);
  platform::acquire(input.mouseDevice);
}

void readMouseDevice(InputSystem& input, MouseReading& r) {
  platform::MouseDeviceState state;
  bool read = platform::getMouseState(input.mouseDevice, state);
  if (!read) {
    if (!platform::acquire(input.mouseDevice)) {
      platform::setDataFormat(input.mouseDevice);
      platform::setCooperativeLevel(input.mouseDevice, input.window, input.mouseCooperation);
      platform::acquire(input.mouseDevice);
      return;
    }
    read = platform::getMouseState(input.mouseDevice, state);
  }
  if (!read) return;
  r.wheel = state.z > 0 ? 1 : state.z < 0 ? -1 : 0;
  if (input.systemPointer) {
    pointerClientPosition(input, r.x, r.y);
  } else {
    r.x = clampToInt(int64_t{r.x} + state.x);
    r.y = clampToInt(int64_t{r.y} + state.y);
  }
  for (int b = 0; b < 3; ++b) {
    if (state.buttons[b]) r.buttons |= 1 << b;
  }
}

void readWithoutDevice(InputSystem& input, MouseReading& r) {
  if (input.systemPointer) {
    pointerClientPosition(input, r.x, r.y);
  } else {
    // The pointer is pinned at (200, 200); its movement away from there counts.
    int sx = 0, sy = 0;
    platform::getCursorPos(sx, sy);
    platform::setCursorPos(200, 200);
    r.x = clampToInt(int64_t{r.x} + sx - 200);
    r.y = clampToInt(int64_t{r.y} + sy - 200);
  }
  for (int b = 0; b < 3; ++b) {
    if (platform::mouseButtonDown(b)) r.buttons |= 1 << b;
  }
}

MouseReading readMouse(InputSystem& input, int x, int y) {
  MouseReading r;
  r.x = x;
  r.y = y;
  learnSystemVersion();
  if (windows8OrLater == 1 && input.systemPointer == 1) {
    PointerSlot& slot = pointerSlots[input.currentMouse % kPointerSlotCount];
    r.x = slot.x;
    r.y = slot.y;
    // A press the window received since the last read counts, even when its
    // release came before this read.
    r.buttons = (slot.buttons | slot.pressed) & 7;
    slot.pressed = 0;
    return r;
  }
  if (input.mouseDevice) {
    readMouseDevice(input, r);
  } else {
    readWithoutDevice(input, r);
  }
  const platform::Rect outer = platform::windowRect(input.window);
  if (r.x < 0) r.x = 0;
  if (r.y < 0) r.y = 0;
  if (r.x > outer.width()) r.x = outer.width();
  if (r.y > outer.height()) r.y = outer.height();
  return r;
}

}  // namespace

void pollMouse(MouseReport& report, bool consume) {
  report = MouseReport{};
  InputSystem* input = currentInput();
  if (!input || input->mice.empty()) return;
  MouseRecord& mouse = currentRecord(*input);
  const bool shown = input->systemPointer != 0;
  const MouseReading r = readMouse(*input, shown ? mouse.reportedX : mouse.trackedX,
                                   shown ? mouse.reportedY : mouse.trackedY);
  if (!shown) {
    mouse.trackedX = r.x;
    mouse.trackedY = r.y;
  }
  report.dx = clampToShort(int64_t{r.x} - mouse.reportedX);
  report.dy = clampToShort(int64_t{r.y} - mouse.reportedY);
  report.wheelSteps = clampToShort(int64_t{mouse.wheel} + r.wheel);
  report.button1 = (r.buttons & 1) ? 1 : 0;
  report.button2 = (r.buttons & 2) ? 1 : 0;
  report.button3 = (r.buttons & 4) ? 1 : 0;
  input->pressesSinceSnapshot |= r.buttons & 7 & ~input->lastReadButtons;
  input->lastReadButtons = r.buttons & 7;
  if (consume) {
    mouse.reportedX = mouse.trackedX = r.x;
    mouse.reportedY = mouse.trackedY = r.y;
    mouse.wheel = 0;
  } else {
    mouse.wheel = clampToInt(int64_t{mouse.wheel} + r.wheel);
  }
}

void pollMice() {
  InputSystem* input = currentInput();
  if (!input) return;
  MouseReport report;
  for (size_t i = 0; i < input->mice.size(); ++i) pollMouse(report, true);
}

void placeOnScreen(int& x, int& y, const MouseScreen& s) {
  const int64_t w = s.width, h = s.height;
  const int64_t px = x, py = y;
  int64_t tx = px, ty = py;
  switch (s.orientation) {
    case 1: tx = py; ty = w - 1 - px; break;
    case 2: tx = w - 1 - px; ty = h - 1 - py; break;
    case 3: tx = h - 1 - py; ty = px; break;
    default: break;
  }
  const bool turned = s.orientation == 1 || s.orientation == 3;
  const int64_t limitX = turned ? h : w, limitY = turned ? w : h;
  if (tx < 0) tx = 0;
  if (ty < 0) ty = 0;
  if (tx > limitX) tx = limitX;
  if (ty > limitY) ty = limitY;
  if (s.scale != 0) {  // a NaN scale counts as set, and gives 0
    // Divided in single precision, as the scale is kept.
    x = truncateToInt(static_cast<float>(tx - s.offsetX) / s.scale);
    y = truncateToInt(static_cast<float>(ty - s.offsetY) / s.scale);
  } else {
    x = clampToInt(tx);
    y = clampToInt(ty);
  }
}

namespace {

// The buttons of this frame, found at its first question: those down now,
// and those any read found newly down since the last frame's snapshot. A
// click between two snapshots is one press, released at the next frame.
int snapshotButtons(InputSystem& input) {
  if (input.buttonsOfEarlierFrame) {
    MouseReport report;
    pollMouse(report, false);
    input.previousFrameButtons = input.frameButtons;
    input.frameButtons = input.lastReadButtons | input.pressesSinceSnapshot;
    input.pressesSinceSnapshot = 0;
    input.buttonsOfEarlierFrame = false;
  }
  return input.frameButtons;
}

int buttonBit(int button) { return button >= 1 && button <= 3 ? 1 << (button - 1) : 0; }

}  // namespace

int mouseButtonWentDown(int button) {
  InputSystem* input = currentInput();
  if (!input || input->mice.empty() || !buttonBit(button)) return 0;
  return (snapshotButtons(*input) & ~input->previousFrameButtons & buttonBit(button)) ? 1 : 0;
}

int mouseButtonWentUp(int button) {
  InputSystem* input = currentInput();
  if (!input || input->mice.empty() || !buttonBit(button)) return 0;
  return (~snapshotButtons(*input) & input->previousFrameButtons & buttonBit(button)) ? 1 : 0;
}

void mouseState(int& x, int& y, int& button1, int& button2) {
  x = y = button1 = button2 = 0;
  InputSystem* input = currentInput();
  if (!input || input->mice.empty()) return;
  MouseReport report;
  pollMouse(report, true);
  button1 = report.button1 ? 1 : 0;
  button2 = report.button2 ? 1 : 0;
  x = currentRecord(*input).reportedX;
  y = currentRecord(*input).reportedY;
  placeOnScreen(x, y, currentMouseScreen());
}

void showSystemPointer(double flag) {
  InputSystem* input = currentInput();
  if (!input) return;
  const bool show = flag != 0.0;  // NaN compares unequal: shown
  if (input->mouseDevice) {
    input->mouseCooperation = show ? platform::kNonExclusiveForeground : platform::kExclusiveForeground;
    setMouseLevel(*input, input->mouseCooperation);
  }
  if (show) {
    if (input->systemPointer == 0) movePointerToReported(*input);
    platform::setCursor(platform::Cursor::Arrow);
  } else {
    platform::setCursor(platform::Cursor::None);
  }
  input->systemPointer = show ? 1 : 0;
}

void applyMouseMode() {
  InputSystem* input = currentInput();
  if (!input) return;
  if (input->mouseDevice) {
    input->mouseCooperation =
        input->systemPointer ? platform::kNonExclusiveForeground : platform::kExclusiveForeground;
    setMouseLevel(*input, input->mouseCooperation);
  }
  platform::setCursor(input->systemPointer ? platform::Cursor::Arrow : platform::Cursor::None);
}

int mouseCount() {
  learnSystemVersion();
  return windows8OrLater == 1 ? kPointerSlotCount : 1;
}

void selectMouse(int index) {
  InputSystem* input = currentInput();
  if (!input) return;
  if (index < 0 || index >= mouseCount()) {
    failWith(7, "mouse number outside 0..mouseCount() - 1", "selectMouse", index);
    return;
  }
  if (static_cast<size_t>(index) >= input->mice.size()) input->mice.resize(index + 1);
  input->currentMouse = index;
}

int mouseAxis(int axis) {
  MouseReport report;
  pollMouse(report, true);
  switch (axis) {
    case 0: return report.dx;
    case 1: return report.dy;
    case 2: return report.wheelSteps;
    case 3: return report.button1;
    case 4: return report.button2;
    case 5: return report.button3;
    default: return 0;
  }
}

void placePointer(int screenX, int screenY) {
  platform::setCursorPos(screenX, screenY);
  InputSystem* input = currentInput();
  if (!input || input->mice.empty()) return;
  int x = screenX, y = screenY;
  platform::screenToClient(input->window, x, y);
  MouseRecord& mouse = currentRecord(*input);
  mouse.trackedX = mouse.reportedX = x;
  mouse.trackedY = mouse.reportedY = y;
}

uint8_t suspendPointerMode() {
  InputSystem* input = currentInput();
  if (!input) return 0;
  const uint8_t remembered = input->systemPointer;
  setMouseLevel(*input, platform::kExclusiveForeground);
  platform::setCursor(platform::Cursor::None);
  input->systemPointer = 0;
  return remembered;
}

void restorePointerMode(uint8_t mode) {
  InputSystem* input = currentInput();
  if (!input) return;
  setMouseLevel(*input, mode == 1 ? platform::kNonExclusiveForeground : platform::kExclusiveForeground);
  if (mode == 1) {
    if (input->systemPointer == 0) movePointerToReported(*input);
    platform::setCursor(platform::Cursor::Arrow);
  } else {
    platform::setCursor(platform::Cursor::None);
  }
  input->systemPointer = mode;
}

void cycleHiddenPointer() {
  InputSystem* input = currentInput();
  if (!input || input->systemPointer != 0) return;
  showSystemPointer(1.0);
  showSystemPointer(0.0);
}

}  // namespace mvn
