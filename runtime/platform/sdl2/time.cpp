#include "runtime/platform/time.h"

#include <SDL.h>

#include <chrono>
#include <ctime>
#include <thread>

namespace mvn::platform {

uint64_t performanceCounter() { return SDL_GetPerformanceCounter(); }
uint64_t performanceFrequency() { return SDL_GetPerformanceFrequency(); }
uint32_t tickCount() { return SDL_GetTicks(); }

void sleepMs(int milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

int64_t wallClockSeconds() { return static_cast<int64_t>(std::time(nullptr)); }

}  // namespace mvn::platform
