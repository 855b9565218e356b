// Pointer messages and the two optional pointer functions of the system
// library "user32.dll", found through findLibraryFunction.
#pragma once

#include <cstdint>

namespace mvn::platform {

constexpr uint32_t POINTER_FLAG_INCONTACT = 0x4;
constexpr uint32_t POINTER_FLAG_FIRSTBUTTON = 0x10;
constexpr uint32_t POINTER_FLAG_SECONDBUTTON = 0x20;
constexpr uint32_t POINTER_FLAG_THIRDBUTTON = 0x40;
constexpr uint32_t POINTER_FLAG_DOWN = 0x10000;
constexpr uint32_t POINTER_FLAG_UPDATE = 0x20000;
constexpr uint32_t POINTER_FLAG_UP = 0x40000;

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
