// The window procedure's handling of system commands and pointer contacts,
// with pointer states the test hands in.
#include <gtest/gtest.h>

#include <map>

#include "runtime/core/pointer_slots.h"
#include "runtime/core/runtime_objects.h"
#include "runtime/app/window_procedure.h"
#include "runtime/platform/messages.h"
#include "runtime/platform/pointer.h"

namespace mvn {
namespace {

using namespace platform;

std::map<uint32_t, PointerTouchInfo> contacts;

int fakeTouchInfo(uint32_t id, PointerTouchInfo* info) {
  auto found = contacts.find(id);
  if (found == contacts.end()) return 0;
  *info = found->second;
  return 1;
}

class PointerSlots : public ::testing::Test {
 protected:
  void SetUp() override {
    for (PointerSlot& s : pointerSlots) s = {};
    contacts.clear();
    GetPointerTouchInfo = &fakeTouchInfo;
    // Contacts arrive in screen coordinates, taken into the main window's
    // client area: without a window (one an earlier test of the same process
    // left open) they stay as they are.
    savedWindow = runtimeObjects.mainWindow;
    runtimeObjects.mainWindow = nullptr;
  }
  void TearDown() override {
    GetPointerTouchInfo = nullptr;
    runtimeObjects.mainWindow = savedWindow;
  }

  WindowHandle savedWindow = nullptr;

  static void send(uint32_t message, uint32_t id, uint32_t flags, int x, int y) {
    contacts[id] = {id, flags, x, y};
    windowProcedure(nullptr, message, id, 0);
  }
};

TEST_F(PointerSlots, DownUpdateUpFollowOneContact) {
  send(kMessagePointerDown, 7, kPointerFlagFirstButton | kPointerFlagInContact, 10, 20);
  EXPECT_EQ(pointerSlots[0].id, 7);
  EXPECT_EQ(pointerSlots[0].buttons, 1);
  EXPECT_EQ(pointerSlots[0].x, 10);
  EXPECT_EQ(pointerSlots[0].y, 20);

  send(kMessagePointerUpdate, 7, kPointerFlagFirstButton | kPointerFlagThirdButton, 11, 21);
  EXPECT_EQ(pointerSlots[0].buttons, 5);
  EXPECT_EQ(pointerSlots[0].x, 11);

  send(kMessagePointerUp, 7, kPointerFlagSecondButton, 12, 22);
  EXPECT_EQ(pointerSlots[0].id, 0);  // free again
  EXPECT_EQ(pointerSlots[0].buttons, 0);
  EXPECT_EQ(pointerSlots[0].y, 22);
}

TEST_F(PointerSlots, ThirtyThirdContactIsNotRecorded) {
  for (uint32_t id = 1; id <= 33; ++id)
    send(kMessagePointerDown, id, kPointerFlagFirstButton, static_cast<int>(id), 0);
  for (int i = 0; i < kPointerSlotCount; ++i) EXPECT_EQ(pointerSlots[i].id, i + 1);
  EXPECT_EQ(pointerSlots[31].x, 32);
}

TEST_F(PointerSlots, UpdateWithoutSlotUsesAFreeSlotWithoutClaimingIt) {
  send(kMessagePointerDown, 3, kPointerFlagFirstButton, 1, 1);
  send(kMessagePointerUpdate, 9, kPointerFlagSecondButton, 40, 50);
  EXPECT_EQ(pointerSlots[1].id, 0);
  EXPECT_EQ(pointerSlots[1].buttons, 2);
  EXPECT_EQ(pointerSlots[1].x, 40);
  send(kMessagePointerUpdate, 0, kPointerFlagFirstButton, 99, 99);  // id 0: not a contact
  EXPECT_NE(pointerSlots[1].x, 99);
}

TEST(WindowProcedure, RefusesScreenSaverAndMonitorPowerOnly) {
  struct Case {
    uint32_t message;
    uintptr_t wParam;
    intptr_t result;
  } cases[] = {
      {kMessageSysCommand, kSysCommandScreenSave, 0},
      {kMessageSysCommand, kSysCommandMonitorPower | 0x2, 0},
      {kMessageEraseBackground, 0, 1},
      {kMessageSysKeyUp, 0x73, 0},
      {kMessageActivate, 3, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(windowProcedure(nullptr, c.message, c.wParam, 0), c.result) << c.message;
}

}  // namespace
}  // namespace mvn
