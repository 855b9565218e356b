// Runs the game's passes without a window: every command the passes call is
// recorded, and the mouse is whatever the test sets.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game_loop.h"

namespace quadrivolant_test {

struct Call {
  std::string name;
  std::vector<double> args;
  std::string text;  // the file name of loadAnim and playMusic
};

struct FakeMouse {
  int x = 700;  // over the reference area: no band
  int y = 400;
  int button1 = 0;
};

extern std::vector<Call> calls;
extern FakeMouse mouse;

// Calls named name in calls; with a first argument, only those whose first
// argument (the slot for drawing commands) equals it.
int countCalls(const std::string& name);
int countCalls(const std::string& name, double firstArg);

// Binds the recorders, seeds the generator and gives the game fresh arrays:
// board dimensioned 10 by 10, no blocks, no tapes.
class GameTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // One pass with calls holding only that pass's commands.
  void pass(quadrivolant::LoopState& loop);

  // Tile cells in reading order.
  static std::vector<int> tiles();
  static void setTiles(const std::vector<int>& tiles);
};

}  // namespace quadrivolant_test
