#include "runtime/platform/time.h"

#include <SDL.h>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include <chrono>
#include <ctime>
#include <thread>

namespace mvn::platform {

uint64_t performanceCounter() { return SDL_GetPerformanceCounter(); }
uint64_t performanceFrequency() { return SDL_GetPerformanceFrequency(); }
uint32_t tickCount() { return SDL_GetTicks(); }

void sleepMs(int milliseconds) {
#ifdef __EMSCRIPTEN__
  // In a browser page a sleep hands control back to the browser, which shows
  // the frame and delivers events meanwhile.
  if (milliseconds > 0) emscripten_sleep(static_cast<unsigned>(milliseconds));
#else
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
#endif
}

int64_t wallClockSeconds() { return static_cast<int64_t>(std::time(nullptr)); }

}  // namespace mvn::platform
