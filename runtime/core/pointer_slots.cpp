#include "runtime/core/pointer_slots.h"

namespace mvn {

PointerSlot pointerSlots[kPointerSlotCount];

}  // namespace mvn
