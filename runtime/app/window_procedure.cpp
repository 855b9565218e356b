#include "runtime/app/window_procedure.h"

#include <string>

#include "runtime/app/scaled_window.h"
#include "runtime/core/pointer_slots.h"
#include "runtime/core/program_end.h"
#include "runtime/core/runtime_objects.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/platform/cursor.h"
#include "runtime/platform/messages.h"
#include "runtime/values/pause_state.h"

namespace mvn {

using namespace platform;

namespace {

uint32_t lowWord(uintptr_t value) { return static_cast<uint32_t>(value & 0xFFFF); }

void handleActivation(WindowHandle window, uint32_t state) {
  if (runtimeSettings.debugMode) return;
  if (state == kActivateInactive) {
    setPaused(1);
    if (paused) setWindowText(window, (windowTitle + " <pause>").c_str());
  } else if (state == kActivateActive || state == kActivateClickActive) {
    setPaused(0);
    if (!paused) setWindowText(window, windowTitle.c_str());
  }
}

void handlePointer(uint32_t message, uintptr_t wParam) {
  const uint32_t id = lowWord(wParam);
  PointerTouchInfo info;
  if (GetPointerTouchInfo) GetPointerTouchInfo(id, &info);

  PointerSlot* slot = nullptr;
  for (PointerSlot& s : pointerSlots)
    if (static_cast<uint32_t>(s.id) == id) { slot = &s; break; }
  if (!slot)
    for (PointerSlot& s : pointerSlots)
      if (s.id == 0) { slot = &s; break; }
  if (!slot) return;

  int buttons = 0;
  if (info.pointerFlags & kPointerFlagFirstButton) buttons |= 1;
  if (info.pointerFlags & kPointerFlagSecondButton) buttons |= 2;
  if (info.pointerFlags & kPointerFlagThirdButton) buttons |= 4;

  const int32_t before = slot->buttons;
  if (message == kMessagePointerUpdate) {
    slot->buttons = buttons;
  } else if (message == kMessagePointerDown) {
    slot->buttons |= buttons;
    slot->id = static_cast<int32_t>(id);
  } else {
    slot->buttons &= buttons;
    slot->id = 0;
  }
  slot->pressed |= slot->buttons & ~before;
  int x = info.pixelX, y = info.pixelY;
  screenToClient(runtimeObjects.mainWindow, x, y);
  slot->x = x;
  slot->y = y;
}

}  // namespace

platform::GetPointerTouchInfoFunction GetPointerTouchInfo = nullptr;
platform::EnableMouseInPointerFunction EnableMouseInPointer = nullptr;

intptr_t windowProcedure(WindowHandle window, uint32_t message, uintptr_t wParam,
                         intptr_t lParam) {
  switch (message) {
    case kMessageClose:
      endProgram();
      return 0;
    case kMessageActivate:
      handleActivation(window, lowWord(wParam));
      return 0;
    case kMessageSysKeyUp:
      return 0;
    case kMessageKeyDown:
    case kMessageSysKeyDown:
      handleFullScreenKey(message, wParam, lParam);
      break;
    case kMessageEraseBackground:
      return 1;
    case kMessageSysCommand: {
      const uintptr_t command = wParam & 0xFFF0;
      if (command == kSysCommandScreenSave || command == kSysCommandMonitorPower) return 0;
      if (command == kSysCommandClose) postQuitMessage(0);
      break;
    }
    case kMessagePointerUpdate:
    case kMessagePointerDown:
    case kMessagePointerUp:
      if (lowWord(wParam) != 0) handlePointer(message, wParam);
      break;
    default:
      break;
  }
  return defWindowProc(window, message, wParam, lParam);
}

}  // namespace mvn
