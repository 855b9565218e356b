#include "game/board.h"

#include <string>

#include "game/commands.h"
#include "morvane/morvane.h"

namespace quadrivolant {

mvn::RtArray<int> board;
int swapX1 = 0, swapY1 = 0, swapX2 = 0, swapY2 = 0;
int pictureNumber = 0;

void dealPicture() {
  pictureNumber = mvn::rnd(14) + 1;
  loadAnim((std::to_string(pictureNumber) + ".jpg").c_str(), 100, 120, 120);
  scrambleBoard();
}

void scrambleBoard() {
  int counter = 0;
  for (int y = 1; y <= 3; ++y) {
    for (int x = 1; x <= 3; ++x) {
      board(x, y) = counter;
      counter += 1;
    }
  }
  for (int count = 0; count <= 100; ++count) {
    swapX1 = mvn::rnd(2) + 1;
    swapY1 = mvn::rnd(2) + 1;
    swapX2 = mvn::rnd(2) + 1;
    swapY2 = mvn::rnd(2) + 1;
    int tile = board(swapX1, swapY1);
    board(swapX1, swapY1) = board(swapX2, swapY2);
    board(swapX2, swapY2) = tile;
  }
  // Every rotation is a 3-cycle and keeps the parity: an odd deal could never
  // be solved, so one more exchange makes it even.
  if (boardIsOdd()) {
    int tile = board(1, 1);
    board(1, 1) = board(2, 1);
    board(2, 1) = tile;
  }
}

void rebuildGhosts() {
  for (int y = 1; y <= 3; ++y) {
    for (int x = 1; x <= 3; ++x) {
      board(0, y) = board(3, y);
      board(4, y) = board(1, y);
      board(x, 0) = board(x, 3);
      board(x, 4) = board(x, 1);
    }
  }
}

void moveBoard(int code, int C, int R) {
  switch (code) {
    case moveUp:
      for (int y = 1; y <= 4; ++y) board(C, y) = board(C, y + 1);
      break;
    case moveDown:
      for (int y = 4; y >= 1; --y) board(C, y) = board(C, y - 1);
      break;
    case moveLeft:
      for (int x = 1; x <= 4; ++x) board(x, R) = board(x + 1, R);
      break;
    case moveRight:
      for (int x = 4; x >= 1; --x) board(x, R) = board(x - 1, R);
      break;
  }
}

int countHomeTiles() {
  int k = 0;
  int matches = 0;
  for (int y = 1; y <= 3; ++y) {
    for (int x = 1; x <= 3; ++x) {
      if (board(x, y) == k) matches += 1;
      k += 1;
    }
  }
  return matches;
}

bool boardIsOdd() {
  int tiles[9];
  for (int y = 1; y <= 3; ++y) {
    for (int x = 1; x <= 3; ++x) tiles[3 * (y - 1) + (x - 1)] = board(x, y);
  }
  int inversions = 0;
  for (int i = 0; i < 9; ++i) {
    for (int j = i + 1; j < 9; ++j) {
      if (tiles[i] > tiles[j]) inversions += 1;
    }
  }
  return inversions % 2 == 1;
}

}  // namespace quadrivolant
