#include <gtest/gtest.h>

#include <string>

#include "runtime/input/input_devices.h"
#include "runtime/input/input_system.h"
#include "runtime/input/typed_text.h"

namespace mvn {
namespace {

std::string typeAndCollect(const std::string& bytes) {
  createInputSystem();
  for (unsigned char c : bytes) addTypedCharacter(c);
  std::string collected;
  for (std::string c = nextTypedCharacter(); !c.empty(); c = nextTypedCharacter()) collected += c;
  destroyInputSystem();
  return collected;
}

TEST(TypedText, KeepsPrintableAndEditingCharactersInOrder) {
  const struct { std::string typed, kept; } cases[] = {
      {"abc", "abc"},
      {std::string("a\rb", 3), "a\nb"},                    // Enter arrives as 13, is read as 10
      {std::string("\x08\x09\x0a", 3), "\x08\x09\x0a"},
      {std::string("x\x00\x01\x1b\x1fy", 6), "xy"},        // other control characters are dropped
      {"\xe4\xfc", "\xe4\xfc"},                            // bytes above 127 are text
      {"0123456789abcdefXYZ", "0123456789abcdef"},         // 16 wait, later ones are dropped
  };
  for (const auto& c : cases) EXPECT_EQ(typeAndCollect(c.typed), c.kept);
}

TEST(TypedText, ReadingMakesRoomAgain) {
  createInputSystem();
  for (char c : std::string("0123456789abcdef")) addTypedCharacter(c);
  EXPECT_EQ(nextTypedCharacter(), "0");
  addTypedCharacter('!');
  addTypedCharacter('?');
  std::string rest;
  for (std::string c = nextTypedCharacter(); !c.empty(); c = nextTypedCharacter()) rest += c;
  EXPECT_EQ(rest, "123456789abcdef!");
  destroyInputSystem();
  EXPECT_EQ(nextTypedCharacter(), "");  // no input system: nothing typed
  addTypedCharacter('a');
}

}  // namespace
}  // namespace mvn
