#include <gtest/gtest.h>

#include "runtime/platform/input.h"

namespace mvn {
namespace {

// SDL scancode numbers (USB usage positions).
constexpr int kScA = 4, kScEnter = 40, kScEscape = 41, kScF4 = 61, kScF12 = 69, kScUp = 82,
              kScKpEnter = 88, kScF24 = 115, kScLCtrl = 224, kScLAlt = 226, kScRAlt = 230;

TEST(KeyCodes, ScancodesBecomeKeyboardPositions) {
  const struct { int scancode, dik; } cases[] = {
      {kScEscape, 1}, {kScLAlt, 56}, {kScF4, 62}, {kScA, 0x1E},       {kScEnter, 0x1C},
      {kScKpEnter, 0x9C}, {kScLCtrl, 0x1D}, {kScRAlt, 0xB8}, {kScF12, 0x58}, {kScUp, 0xC8},
      {kScF24, 0},  {0, 0}, {-1, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::dikFromScancode(c.scancode), c.dik) << c.scancode;
}

TEST(KeyCodes, NoKeyProducesCode129) {
  for (int scancode = 0; scancode < 512; ++scancode) {
    EXPECT_NE(platform::dikFromScancode(scancode), 0x81) << scancode;
  }
}

}  // namespace
}  // namespace mvn
