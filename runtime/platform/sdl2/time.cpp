#include "runtime/platform/time.h"

#include <SDL.h>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include <chrono>
#include <ctime>
#include <thread>

#include "runtime/platform/precise_wait.h"
#include "runtime/platform/recording.h"

namespace mvn::platform {

uint64_t performanceCounter() {
  return static_cast<uint64_t>(
      outsideValue(OutsideRead::Counter, static_cast<int64_t>(SDL_GetPerformanceCounter())));
}
uint64_t performanceFrequency() {
  return static_cast<uint64_t>(
      outsideValue(OutsideRead::Frequency, static_cast<int64_t>(SDL_GetPerformanceFrequency())));
}
uint32_t tickCount() {
  return static_cast<uint32_t>(outsideValue(OutsideRead::Ticks, SDL_GetTicks()));
}
uint64_t liveCounter() { return SDL_GetPerformanceCounter(); }
uint64_t liveFrequency() { return SDL_GetPerformanceFrequency(); }

void sleepMs(int milliseconds) {
  if (replayUnpaced()) return;
#ifdef __EMSCRIPTEN__
  // In a browser page a sleep hands control back to the browser, which shows
  // the frame and delivers events meanwhile.
  if (milliseconds > 0) emscripten_sleep(static_cast<unsigned>(milliseconds));
#else
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
#endif
}

void sleepUntilCounter(uint64_t counter) {
  const uint64_t now = SDL_GetPerformanceCounter();
  const uint64_t frequency = SDL_GetPerformanceFrequency();
  if (counter <= now || frequency == 0) return;
#ifdef __EMSCRIPTEN__
  // A page's wait must hand control to the browser; its sleeps are whole
  // milliseconds, so the last part of the wait is left to the caller's pump.
  sleepMs(static_cast<int>((counter - now) * 1000 / frequency));
#else
  // The counter's clock may be one the system cannot wait on: the distance
  // is carried over to the system's own wait.
  const uint64_t ticks = counter - now;
  waitNanoseconds(ticks / frequency * 1000000000u + ticks % frequency * 1000000000u / frequency);
#endif
}

int64_t wallClockSeconds() {
  return outsideValue(OutsideRead::WallClock, static_cast<int64_t>(std::time(nullptr)));
}

}  // namespace mvn::platform
