// A shown 800 by 480 window of the runtime with the input system on it, the
// mouse arriving as pointer messages, and events pumped through the window
// procedure the way the frame loop pumps them.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "runtime/app/frame_loop.h"
#include "runtime/core/pointer_slots.h"
#include "runtime/core/runtime_objects.h"
#include "runtime/app/window_procedure.h"
#include "runtime/input/input_devices.h"
#include "runtime/input/input_system.h"
#include "runtime/input/keyboard.h"
#include "runtime/input/mouse.h"
#include "runtime/platform/cursor.h"
#include "runtime/platform/input.h"
#include "runtime/platform/library.h"
#include "runtime/platform/window.h"
#include "tests/support/gl_window.h"

namespace mvn::testing {

// SDL scancode numbers of the keys the tests press.
constexpr int kScEscape = 41, kScF4 = 61, kScLAlt = 226, kScA = 4;

class InputTest : public ::testing::Test {
 public:
  // The mouse state as the game reads it once per frame.
  struct State {
    int x, y, button1, button2;
    bool operator==(const State& o) const {
      return x == o.x && y == o.y && button1 == o.button1 && button2 == o.button2;
    }
  };

 protected:
  static void SetUpTestSuite() {
    OpenGLRainbows& r = openTestWindow(800, 480);
    renderer = &r;
    platform::LibraryHandle user32 = platform::loadLibrary("user32.dll");
    auto enable = reinterpret_cast<platform::EnableMouseInPointerFunction>(
        platform::findLibraryFunction(user32, "EnableMouseInPointer"));
    GetPointerTouchInfo = reinterpret_cast<platform::GetPointerTouchInfoFunction>(
        platform::findLibraryFunction(user32, "GetPointerTouchInfo"));
    if (enable) enable(1);
    platform::freeLibrary(user32);  // the built-in module's functions outlive the handle
  }

  void SetUp() override {
    if (!renderer || !renderer->window) GTEST_SKIP() << "no window on this display";
    window = renderer->window;
    // The display hands the focus over in its own time; the limit only gives up.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (platform::foregroundWindow() != window && std::chrono::steady_clock::now() < giveUp) {
      pump();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_EQ(platform::foregroundWindow(), window) << "the window never took the focus";
    pump();
    for (PointerSlot& slot : pointerSlots) slot = PointerSlot{};
    windows8OrLater = -1;
    createInputSystem();
    createInputDevices(window, nullptr, 1);
    input = currentInput();
  }

  void TearDown() override {
    releaseInputDevices();
    destroyInputSystem();
  }

  void pump() { pumpMessages(*renderer, nullptr, false); }

  // Lets the events of pointer warps arrive and be handled.
  void settle() {
    pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    pump();
  }

  void showPointer(double flag) {
    showSystemPointer(flag);
    settle();
  }

  void key(int scancode, bool down) {
    platform::injectKey(window, scancode, down);
    pump();
  }

  static State readState() {
    State s{};
    mouseState(s.x, s.y, s.button1, s.button2);
    return s;
  }

  // The client position of the system pointer.
  void pointerAt(int& x, int& y) {
    platform::getCursorPos(x, y);
    platform::screenToClient(window, x, y);
  }
  void movePointerTo(int clientX, int clientY) {
    platform::clientToScreen(window, clientX, clientY);
    platform::setCursorPos(clientX, clientY);
  }

  static inline OpenGLRainbows* renderer = nullptr;
  platform::WindowHandle window = nullptr;
  InputSystem* input = nullptr;
};

inline std::ostream& operator<<(std::ostream& out, const InputTest::State& s) {
  return out << "(" << s.x << ", " << s.y << ", " << s.button1 << ", " << s.button2 << ")";
}

}  // namespace mvn::testing
