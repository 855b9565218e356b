// The input layer and the window's state: devices bound to the foreground,
// and pointer positions after the window has moved on the screen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "runtime/app/window_context.h"
#include "runtime/platform/pointer.h"
#include "tests/input/input_fixture.h"

namespace mvn::testing {
namespace {

bool haveTools() {
  return std::system("command -v xdotool >/dev/null && command -v xwininfo >/dev/null") == 0;
}

void xdotool(const std::string& arguments) {
  ASSERT_EQ(std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str()), 0) << arguments;
}

// The X id of the window that has the keyboard focus.
std::string focusedWindowId() {
  std::string id;
  if (FILE* p = popen("xdotool getwindowfocus", "r")) {
    char buffer[64] = {};
    if (std::fgets(buffer, sizeof buffer, p)) id = buffer;
    pclose(p);
  }
  while (!id.empty() && (id.back() == '\n' || id.back() == ' ')) id.pop_back();
  return id;
}

TEST_F(InputTest, InTheBackgroundDevicesAreLostAndButtonsComeUp) {
  if (!haveTools()) GTEST_SKIP() << "needs xdotool and xwininfo";
  for (double mode : {0.0, 1.0}) {
    SCOPED_TRACE(mode != 0 ? "pointer messages" : "mouse device");
    showPointer(mode);
    int sx = 300, sy = 200;
    platform::clientToScreen(window, sx, sy);
    xdotool("mousemove " + std::to_string(sx) + " " + std::to_string(sy) + " mousedown 1");
    int down = 0;
    for (int i = 0; i < 100 && !down; ++i) {
      settle();
      down = readState().button1;
    }
    EXPECT_EQ(down, 1);

    xdotool("windowfocus --sync $(xwininfo -root | awk '/Window id:/ {print $4}')");
    for (int i = 0; i < 100 && platform::foregroundWindow() == window; ++i) settle();
    ASSERT_NE(platform::foregroundWindow(), window);
    EXPECT_EQ(readState().button1, 0) << "a button stayed down in the background";
    EXPECT_FALSE(platform::acquire(input->mouseDevice));
    EXPECT_FALSE(platform::acquire(input->keyboardDevice));
    uint8_t keys[256];
    EXPECT_FALSE(platform::getKeyboardState(input->keyboardDevice, keys));
    platform::MouseDeviceState state;
    EXPECT_FALSE(platform::getMouseState(input->mouseDevice, state));
    xdotool("mouseup 1");

    platform::setFocus(window);
    for (int i = 0; i < 100 && platform::foregroundWindow() != window; ++i) settle();
    ASSERT_EQ(platform::foregroundWindow(), window);
    EXPECT_EQ(readState().button1, 0);
    // Back in the foreground, the next read acquires the devices again.
    EXPECT_TRUE(platform::acquire(input->mouseDevice));
    EXPECT_TRUE(platform::getMouseState(input->mouseDevice, state));
    // SDL takes a moment to report the focus it got; let it arrive before a
    // real press is sent again.
    for (int i = 0; i < 10; ++i) settle();
  }
}

TEST_F(InputTest, PointerPositionsAreExactAfterTheWindowMoves) {
  if (!haveTools()) GTEST_SKIP() << "needs xdotool and xwininfo";
  const std::string id = focusedWindowId();
  ASSERT_FALSE(id.empty());
  const int left = 137, top = 91;  // where the client area goes
  xdotool("windowmove --sync " + id + " " + std::to_string(left) + " " + std::to_string(top));
  for (int i = 0; i < 100; ++i) {
    int x = 0, y = 0;
    platform::clientToScreen(window, x, y);
    if (x == left && y == top) break;
    settle();
  }
  int x = 0, y = 0;
  platform::clientToScreen(window, x, y);
  EXPECT_EQ(x, left);
  EXPECT_EQ(y, top);
  const platform::Rect outer = platform::windowRect(window);
  EXPECT_EQ(outer.left, left - 3 * platform::systemMetric(platform::kMetricBorderWidth));
  EXPECT_EQ(outer.top, top - platform::systemMetric(platform::kMetricCaptionHeight) -
                           3 * platform::systemMetric(platform::kMetricBorderHeight));

  // Pointer messages carry the real screen position.
  showPointer(1.0);
  xdotool("mousemove " + std::to_string(left + 50) + " " + std::to_string(top + 40));
  settle();
  EXPECT_EQ(readState(), (State{50, 40, 0, 0}));
  platform::PointerTouchInfo info;
  ASSERT_NE(GetPointerTouchInfo, nullptr);
  GetPointerTouchInfo(platform::kMousePointerId, &info);
  EXPECT_EQ(info.pixelX, left + 50);
  EXPECT_EQ(info.pixelY, top + 40);

  // The system cursor's position, converted to the client area.
  windows8OrLater = 0;
  showPointer(1.0);
  xdotool("mousemove " + std::to_string(left + 70) + " " + std::to_string(top + 30));
  settle();
  EXPECT_EQ(readState(), (State{70, 30, 0, 0}));

  enterWindowMode(*renderer);  // centred again for the tests that follow
  settle();
}

}  // namespace
}  // namespace mvn::testing
