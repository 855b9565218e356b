#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <thread>

#include "runtime/core/log.h"
#include "runtime/audio/music.h"
#include "runtime/values/errors.h"
#include "tests/input/input_fixture.h"

namespace mvn::testing {
namespace {

TEST_F(InputTest, ExclusiveMouseStartsHiddenAtThePointer) {
  int x = 0, y = 0;
  pointerAt(x, y);
  EXPECT_NE(input->keyboardDevice, nullptr);
  EXPECT_NE(input->mouseDevice, nullptr);
  EXPECT_EQ(input->systemPointer, 0);
  EXPECT_EQ(input->mouseCooperation, platform::kExclusiveForeground);
  EXPECT_EQ(input->mice.size(), 1u);
  EXPECT_EQ(input->mice[0].reportedX, x);
  EXPECT_EQ(input->mice[0].trackedY, y);
}

TEST_F(InputTest, SharedMouseHasNoDeviceAndShowsThePointer) {
  releaseInputDevices();
  destroyInputSystem();
  createInputSystem();
  EXPECT_EQ(createInputDevices(window, nullptr, 0), 1);
  input = currentInput();
  EXPECT_EQ(input->mouseDevice, nullptr);
  EXPECT_EQ(input->systemPointer, 1);
}

TEST_F(InputTest, PointerMessagesReachTheMouseState) {
  showPointer(1.0);
  std::remove(logPath().c_str());
  platform::injectMouseMotion(window, 300, 200, 0, 0);
  pump();
  EXPECT_EQ(readState(), (State{300, 200, 0, 0}));
  EXPECT_EQ(windows8OrLater, 1);
  {
    std::ifstream in(logPath());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "Win: 10, 0\n");
  }

  platform::injectMouseButton(window, 0, true, 310, 210);
  pump();
  EXPECT_EQ(readState(), (State{310, 210, 1, 0}));
  platform::injectMouseButton(window, 1, true, 310, 210);
  pump();
  EXPECT_EQ(readState(), (State{310, 210, 1, 1}));
  platform::injectMouseButton(window, 0, false, 312, 211);
  platform::injectMouseButton(window, 1, false, 312, 211);
  pump();
  EXPECT_EQ(readState(), (State{312, 211, 0, 0}));
}

TEST_F(InputTest, RealPointerMovesAndButtonsReachTheMouseState) {
  if (std::system("command -v xdotool >/dev/null") != 0) GTEST_SKIP() << "needs xdotool";
  showPointer(1.0);
  auto xdotool = [&](const std::string& args) {
    ASSERT_EQ(std::system(("xdotool " + args).c_str()), 0) << args;
    settle();
  };
  int sx = 420, sy = 260;
  platform::clientToScreen(window, sx, sy);
  xdotool("mousemove " + std::to_string(sx) + " " + std::to_string(sy));
  EXPECT_EQ(readState(), (State{420, 260, 0, 0}));
  xdotool("mousedown 1");
  EXPECT_EQ(readState(), (State{420, 260, 1, 0}));
  xdotool("mousedown 3");
  EXPECT_EQ(readState(), (State{420, 260, 1, 1}));
  xdotool("mouseup 1 mouseup 3");
  EXPECT_EQ(readState(), (State{420, 260, 0, 0}));
}

// Both ways the mouse state reads the buttons: pointer messages (the pointer
// shown) and the mouse device (the pointer hidden, exclusive).
const double kPointerModes[] = {1.0, 0.0};

TEST_F(InputTest, PressReleasedBeforeTheNextReadReadsDownOnce) {
  for (double mode : kPointerModes) {
    SCOPED_TRACE(mode != 0 ? "pointer messages" : "mouse device");
    showPointer(mode);
    readState();
    for (int button : {0, 1}) {
      platform::injectMouseButton(window, button, true, 200, 100);
      platform::injectMouseButton(window, button, false, 200, 100);
      pump();
      const State tapped = readState();
      EXPECT_EQ(tapped.button1, button == 0 ? 1 : 0);
      EXPECT_EQ(tapped.button2, button == 1 ? 1 : 0);
      const State next = readState();
      EXPECT_EQ(next.button1, 0);
      EXPECT_EQ(next.button2, 0);
    }

    // Held: down at every read until the release arrives.
    platform::injectMouseButton(window, 0, true, 200, 100);
    pump();
    for (int read = 0; read < 3; ++read) EXPECT_EQ(readState().button1, 1) << read;
    platform::injectMouseButton(window, 0, false, 200, 100);
    pump();
    EXPECT_EQ(readState().button1, 0);

    // Two taps between the same two reads count as one press.
    for (int tap = 0; tap < 2; ++tap) {
      platform::injectMouseButton(window, 0, true, 200, 100);
      platform::injectMouseButton(window, 0, false, 200, 100);
    }
    pump();
    EXPECT_EQ(readState().button1, 1);
    EXPECT_EQ(readState().button1, 0);

    // The frame presenter's poll is a read too.
    platform::injectMouseButton(window, 0, true, 200, 100);
    platform::injectMouseButton(window, 0, false, 200, 100);
    pump();
    pollMice();
    EXPECT_EQ(readState().button1, 0);
  }
}

TEST_F(InputTest, RealClickSentAtOnceReadsDownOnce) {
  if (std::system("command -v xdotool >/dev/null") != 0) GTEST_SKIP() << "needs xdotool";
  for (double mode : kPointerModes) {
    SCOPED_TRACE(mode != 0 ? "pointer messages" : "mouse device");
    showPointer(mode);
    int sx = 400, sy = 240;
    platform::clientToScreen(window, sx, sy);
    ASSERT_EQ(std::system(("xdotool mousemove " + std::to_string(sx) + " " + std::to_string(sy)).c_str()), 0);
    settle();
    readState();
    ASSERT_EQ(std::system("xdotool mousedown 1 mouseup 1"), 0);
    // Read as a program reads, pumping between reads, until the click has
    // read down, and twenty reads more: the click reads down at exactly one read.
    int downReads = 0, readsAfter = 0;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (readsAfter < 20 && std::chrono::steady_clock::now() < giveUp) {
      pump();
      downReads += readState().button1;
      if (downReads > 0) ++readsAfter;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(downReads, 1);
  }
}

TEST_F(InputTest, PointerSlotPositionsAreHeldToTheScreen) {
  showPointer(1.0);
  const struct { int x, y; State expected; } cases[] = {
      {-5, -7, {0, 0, 0, 0}},       {900, 600, {800, 480, 0, 0}}, {800, 480, {800, 480, 0, 0}},
      {799, 479, {799, 479, 0, 0}}, {0, 0, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    pointerSlots[0] = PointerSlot{c.x, c.y, 0, 1};
    EXPECT_EQ(readState(), c.expected) << c.x << "," << c.y;
  }
}

TEST_F(InputTest, SystemCursorPositionsAreHeldToTheScreen) {
  windows8OrLater = 0;  // a system without pointer messages
  showSystemPointer(1.0);
  const struct { int x, y; State expected; } cases[] = {
      {250, 130, {250, 130, 0, 0}}, {-2, 40, {0, 40, 0, 0}},   {40, -3, {40, 0, 0, 0}},
      {805, 100, {800, 100, 0, 0}}, {100, 485, {100, 480, 0, 0}}, {800, 480, {800, 480, 0, 0}},
  };
  for (const auto& c : cases) {
    movePointerTo(c.x, c.y);
    EXPECT_EQ(readState(), c.expected) << c.x << "," << c.y;
  }
}

TEST_F(InputTest, HiddenPointerIntegratesRelativeMovement) {
  showPointer(0.0);
  MouseRecord& mouse = input->mice[0];
  mouse.trackedX = mouse.reportedX = 400;
  mouse.trackedY = mouse.reportedY = 240;
  const struct { int dx, dy; State expected; } cases[] = {
      {30, -20, {430, 220, 0, 0}},
      {-5, 7, {425, 227, 0, 0}},
      {-1000, -1000, {0, 0, 0, 0}},
      {5000, 5000, {800, 480, 0, 0}},
  };
  for (const auto& c : cases) {
    platform::injectMouseMotion(window, 0, 0, c.dx, c.dy);
    pump();
    EXPECT_EQ(readState(), c.expected) << c.dx << "," << c.dy;
  }
  platform::injectMouseButton(window, 0, true, 0, 0);
  pump();
  EXPECT_EQ(readState().button1, 1);
  platform::injectMouseButton(window, 0, false, 0, 0);
  pump();
}

TEST_F(InputTest, ExtremeMovementAndPositionsStayInRange) {
  showPointer(0.0);
  constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
  for (int event = 0; event < 2; ++event) platform::injectMouseMotion(window, 0, 0, kMax, kMin);
  pump();
  EXPECT_EQ(readState(), (State{800, 0, 0, 0}));

  MouseRecord& mouse = input->mice[0];
  const struct { int reported, dx; } cases[] = {{kMin, 32767}, {kMax, -32768}};
  for (const auto& c : cases) {
    mouse.trackedX = mouse.trackedY = 400;
    mouse.reportedX = mouse.reportedY = c.reported;
    MouseReport report;
    pollMouse(report, true);
    EXPECT_EQ(report.dx, c.dx) << c.reported;
    EXPECT_EQ(report.dy, c.dx) << c.reported;
  }

  // A placement far off the screen: the position is held to the int range.
  placePointer(kMin, kMin);
  EXPECT_EQ(mouse.reportedX, kMin);
  EXPECT_EQ(mouse.reportedY, kMin);
}

TEST_F(InputTest, WheelCountsOneStepPerReadWhateverItsSize) {
  showPointer(0.0);
  MouseReport report;
  platform::injectMouseWheel(window, 5);
  pump();
  pollMouse(report, false);
  EXPECT_EQ(report.wheelSteps, 1);
  platform::injectMouseWheel(window, 1);
  pump();
  pollMouse(report, false);
  EXPECT_EQ(report.wheelSteps, 2);  // not handed out yet: accumulated
  platform::injectMouseWheel(window, -3);
  pump();
  pollMouse(report, true);
  EXPECT_EQ(report.wheelSteps, 1);
  pollMouse(report, true);
  EXPECT_EQ(report.wheelSteps, 0);
  platform::injectMouseWheel(window, -2);
  pump();
  EXPECT_EQ(mouseAxis(2), -1);
}

TEST_F(InputTest, ShowingThePointerPlacesItWhereTheHiddenOneWas) {
  showSystemPointer(0.0);
  EXPECT_EQ(input->systemPointer, 0);
  EXPECT_EQ(input->mouseCooperation, platform::kExclusiveForeground);
  input->mice[0].reportedX = 123;
  input->mice[0].reportedY = 77;
  showSystemPointer(1.0);
  EXPECT_EQ(input->systemPointer, 1);
  EXPECT_EQ(input->mouseCooperation, platform::kNonExclusiveForeground);
  int x = 0, y = 0;
  pointerAt(x, y);
  EXPECT_EQ(x, 123);
  EXPECT_EQ(y, 77);

  showSystemPointer(std::nan(""));
  EXPECT_EQ(input->systemPointer, 1);
  showSystemPointer(-0.0);
  EXPECT_EQ(input->systemPointer, 0);
}

TEST_F(InputTest, WithoutMouseDeviceTheHiddenPointerIsPinnedAt200) {
  platform::releaseDevice(input->mouseDevice);
  input->mouseDevice = nullptr;
  input->systemPointer = 0;
  MouseRecord& mouse = input->mice[0];
  mouse.trackedX = mouse.reportedX = 400;
  mouse.trackedY = mouse.reportedY = 240;
  platform::setCursorPos(250, 230);
  MouseReport report;
  pollMouse(report, true);
  EXPECT_EQ(mouse.trackedX, 450);
  EXPECT_EQ(mouse.trackedY, 270);
  EXPECT_EQ(report.dx, 50);
  EXPECT_EQ(report.dy, 30);
  int sx = 0, sy = 0;
  platform::getCursorPos(sx, sy);
  EXPECT_EQ(sx, 200);
  EXPECT_EQ(sy, 200);
}

TEST_F(InputTest, ChoosingAMouseReadsItsPointerSlot) {
  EXPECT_EQ(mouseCount(), 32);
  showPointer(1.0);
  selectMouse(3);
  EXPECT_EQ(input->currentMouse, 3);
  EXPECT_EQ(input->mice.size(), 4u);
  pointerSlots[3] = PointerSlot{50, 60, 1, 7};
  EXPECT_EQ(readState(), (State{50, 60, 1, 0}));

  errorCode = 0;
  for (int bad : {32, -1}) {
    selectMouse(bad);
    EXPECT_EQ(errorCode, 7);
    EXPECT_EQ(input->currentMouse, 3);
    errorCode = 0;
  }
  windows8OrLater = 0;
  EXPECT_EQ(mouseCount(), 1);
}

TEST_F(InputTest, PlacingThePointerMovesTheMouse) {
  showSystemPointer(1.0);
  int sx = 300, sy = 200;
  platform::clientToScreen(window, sx, sy);
  placePointer(sx, sy);
  int x = 0, y = 0;
  pointerAt(x, y);
  EXPECT_EQ(x, 300);
  EXPECT_EQ(y, 200);
  EXPECT_EQ(input->mice[0].reportedX, 300);
  EXPECT_EQ(input->mice[0].reportedY, 200);
}

TEST_F(InputTest, ReleaseLeavesTheArrowWhereTheHiddenMouseWas) {
  showSystemPointer(0.0);
  input->mice[0].reportedX = 321;
  input->mice[0].reportedY = 123;
  releaseInputDevices();
  EXPECT_EQ(input->systemPointer, 1);
  EXPECT_EQ(input->mouseDevice, nullptr);
  EXPECT_EQ(input->keyboardDevice, nullptr);
  int x = 0, y = 0;
  pointerAt(x, y);
  EXPECT_EQ(x, 321);
  EXPECT_EQ(y, 123);
  // A second release and reads of the released system do nothing.
  releaseInputDevices();
  EXPECT_EQ(readState(), (State{0, 0, 0, 0}));
}

TEST_F(InputTest, StartingMusicKeepsThePointerModeAndPlace) {
  const std::string tone = std::string(MORVANE_SOURCE_DIR) + "/tests/data/audio/tone300ms.wav";
  for (double flag : {1.0, 0.0}) {
    showPointer(flag);
    input->mice[0].reportedX = 222;
    input->mice[0].reportedY = 111;
    playMusic(tone.c_str(), 0);
    EXPECT_EQ(errorCode, 0);
    EXPECT_EQ(input->systemPointer, flag != 0 ? 1 : 0);
    EXPECT_EQ(input->mouseCooperation,
              flag != 0 ? platform::kNonExclusiveForeground : platform::kExclusiveForeground);
    if (flag != 0) {
      int x = 0, y = 0;
      pointerAt(x, y);
      EXPECT_EQ(x, 222);
      EXPECT_EQ(y, 111);
    }
    stopMusic();
  }
}

}  // namespace
}  // namespace mvn::testing
