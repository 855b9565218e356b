// The puzzle board: a 10 by 10 integer array whose cells [1..3][1..3] hold the
// tiles 0..8 (tile k belongs at column k mod 3 + 1, row k div 3 + 1) and whose
// ghost cells at index 0 and 4 mirror the opposite edge, so that a rotation is
// a plain copy along a column or row.
#pragma once

#include "morvane/morvane.h"

namespace quadrivolant {

extern mvn::RtArray<int> board;  // first index the column (x), second the row (y)

// The four picks of the latest exchange of a deal.
extern int swapX1, swapY1, swapX2, swapY2;

// The picture of the current deal, 1..15.
extern int pictureNumber;

// Move codes: the frame of the arrow that makes them.
enum Move { moveUp = 4, moveRight = 5, moveDown = 6, moveLeft = 7 };

// Chooses a picture, loads it into slot 100 and deals a scrambled board.
void dealPicture();

// The board part of a deal: tiles in solved order, then 101 random exchanges;
// an odd arrangement, which no rotation could solve, gets one more exchange.
void scrambleBoard();

// Copies the edges into the ghost cells.
void rebuildGhosts();

// Rotates column C (moves 4 and 6) or row R (moves 5 and 7) by one place
// through the ghost cells; the ghost cells are stale afterwards.
void moveBoard(int code, int C, int R);

// Number of tile cells that hold their own tile (9: solved).
int countHomeTiles();

// True when the tile cells hold an odd permutation of the solved order.
bool boardIsOdd();

}  // namespace quadrivolant
