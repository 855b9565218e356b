// The last state of up to 32 pointer contacts, filled by the window
// procedure from pointer messages; the mouse state reads them.
#pragma once

#include <cstdint>

namespace mvn {

struct PointerSlot {
  int32_t x = 0;        // client coordinates
  int32_t y = 0;
  int32_t buttons = 0;  // bit 0: first button, bit 1: second, bit 2: third
  int32_t id = 0;       // pointer id of the contact owning the slot; 0: free
  // Buttons that went down since the mouse state last read the slot, in the
  // bits of `buttons`: a press released before that read still counts once.
  int32_t pressed = 0;
};

constexpr int kPointerSlotCount = 32;
extern PointerSlot pointerSlots[kPointerSlotCount];

}  // namespace mvn
