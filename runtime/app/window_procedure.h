// The procedure of the runtime's window: focus, close, system commands and
// pointer contacts.
#pragma once

#include <cstdint>

#include "runtime/platform/pointer.h"
#include "runtime/platform/window.h"

namespace mvn {

intptr_t windowProcedure(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                         intptr_t lParam);

// The two functions of "user32.dll" resolved at start-up; null when missing.
extern platform::GetPointerTouchInfoFunction GetPointerTouchInfo;
extern platform::EnableMouseInPointerFunction EnableMouseInPointer;

}  // namespace mvn
