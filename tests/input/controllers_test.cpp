#include <gtest/gtest.h>

#include <string>

#include "runtime/input/controllers.h"
#include "runtime/input/input_devices.h"
#include "runtime/platform/input.h"

namespace mvn {
namespace {

TEST(Controllers, WithoutControllersEveryNumberReadsAtRest) {
  createInputSystem();
  createInputDevices(nullptr, nullptr, 0);
  double x = 9, y = 9;
  int b1 = 9, b2 = 9, hx = 9, hy = 9;
  for (int index : {-1, joystickCount(), 10}) {
    joystickState(index, x, y, b1, b2);
    joystickHat(index, hx, hy);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(y, 0.0);
    EXPECT_EQ(b1 + b2 + hx + hy, 0);
    EXPECT_EQ(joystickAxis(index, 0), 0.0);
    EXPECT_EQ(joystickButton(index, 0), 0);
    EXPECT_STREQ(joystickName(index), "");
  }
  releaseInputDevices();
  destroyInputSystem();
}

TEST(Controllers, AttachedControllerReportsItsAxesHatAndButtons) {
  const int virtualIndex = platform::attachVirtualController();
  if (virtualIndex < 0) GTEST_SKIP() << "no virtual controllers";
  createInputSystem();
  createInputDevices(nullptr, nullptr, 0);
  ASSERT_GE(joystickCount(), 1);
  const int pad = joystickCount() - 1;  // the one attached last

  platform::setVirtualControllerAxis(virtualIndex, 0, 15000);
  platform::setVirtualControllerAxis(virtualIndex, 1, -30000);
  platform::setVirtualControllerAxis(virtualIndex, 2, -32768);
  platform::setVirtualControllerAxis(virtualIndex, 5, 32767);
  platform::setVirtualControllerButton(virtualIndex, 1, true);
  platform::setVirtualControllerButton(virtualIndex, 31, true);
  platform::setVirtualControllerHat(virtualIndex, -1, 1);

  double x = 0, y = 0;
  int b1 = 0, b2 = 0;
  joystickState(pad, x, y, b1, b2);
  EXPECT_DOUBLE_EQ(x, 0.5);
  EXPECT_DOUBLE_EQ(y, -1.0);
  EXPECT_EQ(b1, 0);
  EXPECT_EQ(b2, 1);
  EXPECT_DOUBLE_EQ(joystickAxis(pad, 2), -1.0);  // -32768 / 32767 is held to -1
  EXPECT_DOUBLE_EQ(joystickAxis(pad, 5), 1.0);
  EXPECT_DOUBLE_EQ(joystickAxis(pad, 6), 0.0);
  EXPECT_EQ(joystickButton(pad, 31), 1);
  EXPECT_EQ(joystickButton(pad, 32), 0);
  int hx = 0, hy = 0;
  joystickHat(pad, hx, hy);
  EXPECT_EQ(hx, -1);
  EXPECT_EQ(hy, 1);
  EXPECT_NE(std::string(joystickName(pad)).find(", "), std::string::npos);

  releaseInputDevices();
  destroyInputSystem();
  platform::detachVirtualController(virtualIndex);
}

}  // namespace
}  // namespace mvn
