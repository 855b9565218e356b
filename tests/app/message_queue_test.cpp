// The message queue and the pump: what is posted arrives at the procedure in
// order, key-downs bring their characters, activation pauses.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/app/frame_loop.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/app/window_procedure.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/platform/messages.h"
#include "runtime/platform/time.h"
#include "runtime/values/pause_state.h"
#include "tests/support/gl_window.h"

namespace mvn {
namespace {

using namespace platform;

TEST(MessageQueue, PostedMessagesArriveInOrderAndKeysBringCharacters) {
  OpenGLRainbows& renderer = testing::openTestWindow(64, 64);
  ASSERT_NE(renderer.window, nullptr);
  Message m;
  while (peekMessage(m, renderer.window, true)) {}

  postMessage(renderer.window, kMessageKeyDown, kVirtualKeyReturn, 1);
  postMessage(renderer.window, kMessageKeyDown, 'A', 1);
  postMessage(renderer.window, kMessageChar, 'a', 1);
  std::vector<std::pair<uint32_t, uintptr_t>> seen;
  ASSERT_TRUE(peekMessage(m, renderer.window, false));
  EXPECT_EQ(m.message, kMessageKeyDown);  // looked at, still there
  while (peekMessage(m, renderer.window, true)) {
    seen.emplace_back(m.message, m.wParam);
    translateMessage(m);
  }
  const std::vector<std::pair<uint32_t, uintptr_t>> expected = {
      {kMessageKeyDown, kVirtualKeyReturn}, {kMessageKeyDown, 'A'}, {kMessageChar, 'a'}, {kMessageChar, 13}};
  EXPECT_EQ(seen, expected);
}

TEST(MessageQueue, ActivationPausesUnlessDebugging) {
  OpenGLRainbows& renderer = testing::openTestWindow(64, 64);
  windowTitle = "Pause Test";
  // Let the focus events of the window's own showing arrive first.
  for (int i = 0; i < 20; ++i) {
    pumpMessages(renderer, nullptr, false);
    platform::sleepMs(5);
  }
  struct Case {
    int debugMode;
    const char* titleWhileInactive;
  } cases[] = {{0, "Pause Test <pause>"}, {1, "Pause Test"}};
  for (const Case& c : cases) {
    runtimeSettings.debugMode = c.debugMode;
    setWindowText(renderer.window, windowTitle.c_str());
    postMessage(renderer.window, kMessageActivate, kActivateInactive, 0);
    pumpMessages(renderer, nullptr, false);
    EXPECT_EQ(paused, c.debugMode ? 0 : 1);
    EXPECT_EQ(windowText(renderer.window), c.titleWhileInactive);
    postMessage(renderer.window, kMessageActivate, kActivateClickActive, 0);
    pumpMessages(renderer, nullptr, false);
    EXPECT_EQ(paused, 0);
    EXPECT_EQ(windowText(renderer.window), "Pause Test");
  }
  runtimeSettings.debugMode = 0;
}

}  // namespace
}  // namespace mvn
