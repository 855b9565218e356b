// Key and mouse-button edges: one press and one release per stroke, a tap
// shorter than a frame included, whatever reads the devices in between.
#include "tests/input/input_fixture.h"

namespace mvn {
namespace {

using testing::InputTest;
using testing::kScA;

constexpr int kKeyCodeA = 0x1E;

// What a frame of the program sees of key A.
struct KeyFrame {
  int down, wentDown, wentUp;
  bool operator==(const KeyFrame& o) const {
    return down == o.down && wentDown == o.wentDown && wentUp == o.wentUp;
  }
};

KeyFrame nextKeyFrame() {
  resetKeyPolling();  // the frame end
  return {isKeyDown(kKeyCodeA), keyWentDown(kKeyCodeA), keyWentUp(kKeyCodeA)};
}

std::ostream& operator<<(std::ostream& out, const KeyFrame& f) {
  return out << "{" << f.down << ", " << f.wentDown << ", " << f.wentUp << "}";
}

TEST_F(InputTest, AKeyStrokeIsOnePressAndOneRelease) {
  nextKeyFrame();
  // Held for three frames.
  key(kScA, true);
  EXPECT_EQ(nextKeyFrame(), (KeyFrame{1, 1, 0}));
  EXPECT_EQ(nextKeyFrame(), (KeyFrame{1, 0, 0}));
  // Asked again within the frame: the same answers, however often it is asked.
  for (int i = 0; i < 150; ++i) ASSERT_EQ(keyWentDown(kKeyCodeA), 0) << i;
  key(kScA, false);
  EXPECT_EQ(nextKeyFrame(), (KeyFrame{0, 0, 1}));
  EXPECT_EQ(nextKeyFrame(), (KeyFrame{0, 0, 0}));
  // A tap between two frames: a press, then a release the frame after.
  platform::injectKey(window, kScA, true);
  platform::injectKey(window, kScA, false);
  pump();
  EXPECT_EQ(nextKeyFrame(), (KeyFrame{1, 1, 0}));
  EXPECT_EQ(nextKeyFrame(), (KeyFrame{0, 0, 1}));
  EXPECT_EQ(nextKeyFrame(), (KeyFrame{0, 0, 0}));
  // Codes outside the table have no edges.
  for (int code : {-1, 256}) EXPECT_EQ(keyWentDown(code) + keyWentUp(code), 0) << code;
}

// What a frame of the program sees of the left button.
struct ButtonFrame {
  int wentDown, wentUp;
  bool operator==(const ButtonFrame& o) const { return wentDown == o.wentDown && wentUp == o.wentUp; }
};

std::ostream& operator<<(std::ostream& out, const ButtonFrame& f) {
  return out << "{" << f.wentDown << ", " << f.wentUp << "}";
}

TEST_F(InputTest, AClickIsOnePressAndOneReleaseWhoeverReadsTheMouse) {
  for (double mode : {1.0, 0.0}) {
    SCOPED_TRACE(mode != 0 ? "pointer messages" : "mouse device");
    showPointer(mode);
    // A frame: the program asks, then the frame presenter reads the mouse.
    auto frame = [&] {
      resetKeyPolling();
      const ButtonFrame seen{mouseButtonWentDown(1), mouseButtonWentUp(1)};
      pollMice();
      return seen;
    };
    frame();
    frame();
    // Held over three frames, read by mouseState too.
    platform::injectMouseButton(window, 0, true, 200, 100);
    pump();
    readState();
    EXPECT_EQ(frame(), (ButtonFrame{1, 0}));
    EXPECT_EQ(frame(), (ButtonFrame{0, 0}));
    platform::injectMouseButton(window, 0, false, 200, 100);
    pump();
    EXPECT_EQ(frame(), (ButtonFrame{0, 1}));
    EXPECT_EQ(frame(), (ButtonFrame{0, 0}));
    // A click that only the presenter's read of the last frame saw.
    platform::injectMouseButton(window, 0, true, 200, 100);
    platform::injectMouseButton(window, 0, false, 200, 100);
    pump();
    pollMice();
    EXPECT_EQ(frame(), (ButtonFrame{1, 0}));
    EXPECT_EQ(frame(), (ButtonFrame{0, 1}));
    EXPECT_EQ(frame(), (ButtonFrame{0, 0}));
    // The right button is its own; numbers outside 1..3 have no edges.
    platform::injectMouseButton(window, 1, true, 200, 100);
    pump();
    resetKeyPolling();
    EXPECT_EQ(mouseButtonWentDown(2), 1);
    EXPECT_EQ(mouseButtonWentDown(1), 0);
    for (int button : {0, 4}) EXPECT_EQ(mouseButtonWentDown(button) + mouseButtonWentUp(button), 0);
    platform::injectMouseButton(window, 1, false, 200, 100);
    pump();
    frame();
  }
}

}  // namespace
}  // namespace mvn
