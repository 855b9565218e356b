// Pointer messages and the two optional pointer functions of the system
// library "user32.dll", found through findLibraryFunction.
#pragma once

#include <cstdint>

namespace mvn::platform {

constexpr uint32_t kPointerFlagInContact = 0x4;  // POINTER_FLAG_INCONTACT
constexpr uint32_t kPointerFlagFirstButton = 0x10;  // POINTER_FLAG_FIRSTBUTTON
constexpr uint32_t kPointerFlagSecondButton = 0x20;  // POINTER_FLAG_SECONDBUTTON
constexpr uint32_t kPointerFlagThirdButton = 0x40;  // POINTER_FLAG_THIRDBUTTON
constexpr uint32_t kPointerFlagDown = 0x10000;  // POINTER_FLAG_DOWN
constexpr uint32_t kPointerFlagUpdate = 0x20000;  // POINTER_FLAG_UPDATE
constexpr uint32_t kPointerFlagUp = 0x40000;  // POINTER_FLAG_UP

// The mouse is pointer 1; touch contacts take the ids from 2 on.
constexpr uint32_t kMousePointerId = 1;

struct PointerTouchInfo {
  uint32_t pointerId = 0;
  uint32_t pointerFlags = 0;
  int pixelX = 0;  // screen coordinates
  int pixelY = 0;
};

// GetPointerTouchInfo: the state of a pointer as of the pointer message being
// handled. Non-zero on success.
using GetPointerTouchInfoFunction = int (*)(uint32_t pointerId, PointerTouchInfo* info);
// EnableMouseInPointer: non-zero makes the mouse arrive as pointer messages.
using EnableMouseInPointerFunction = int (*)(int enable);

}  // namespace mvn::platform
