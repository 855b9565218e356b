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
  if (state == WA_INACTIVE) {
    setPaused(1);
    if (paused) setWindowText(window, (windowTitle + " <pause>").c_str());
  } else if (state == WA_ACTIVE || state == WA_CLICKACTIVE) {
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
  if (info.pointerFlags & POINTER_FLAG_FIRSTBUTTON) buttons |= 1;
  if (info.pointerFlags & POINTER_FLAG_SECONDBUTTON) buttons |= 2;
  if (info.pointerFlags & POINTER_FLAG_THIRDBUTTON) buttons |= 4;

  const int32_t before = slot->buttons;
  if (message == WM_POINTERUPDATE) {
    slot->buttons = buttons;
  } else if (message == WM_POINTERDOWN) {
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
    case WM_CLOSE:
      endProgram();
      return 0;
    case WM_ACTIVATE:
      handleActivation(window, lowWord(wParam));
      return 0;
    case WM_SYSKEYUP:
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      handleFullScreenKey(message, wParam, lParam);
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_SYSCOMMAND: {
      const uintptr_t command = wParam & 0xFFF0;
      if (command == SC_SCREENSAVE || command == SC_MONITORPOWER) return 0;
      if (command == SC_CLOSE) postQuitMessage(0);
      break;
    }
    case WM_POINTERUPDATE:
    case WM_POINTERDOWN:
    case WM_POINTERUP:
      if (lowWord(wParam) != 0) handlePointer(message, wParam);
      break;
    default:
      break;
  }
  return defWindowProc(window, message, wParam, lParam);
}

}  // namespace mvn
