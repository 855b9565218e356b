// The system's finest wait, under the frame hold of time.h.
#pragma once

#include <cstdint>

namespace mvn::platform {

// Blocks for ns nanoseconds, as closely as the system's timers allow. The end
// is fixed when the wait begins: an interrupted wait resumes to the same end.
void waitNanoseconds(uint64_t ns);

}  // namespace mvn::platform
