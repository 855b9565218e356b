// Wayfarer's map: one letter per cell, the way a BASIC program keeps its
// levels in DATA lines. The letter names the tile drawn there and what a step
// onto the cell costs the path search.
#pragma once

namespace wayfarer {

constexpr int kCell = 32;     // pixels of a cell
constexpr int kColumns = 20;
constexpr int kRows = 13;

//   .  grass       ,  meadow      =  road
//   ~  water       T  tree        o  rock     (the last three block the way)
constexpr const char* kMapRows[kRows] = {
    "TT..,....~~....TT.,.",
    "T..=====.~~..,...T..",
    "...=..,=.~~.oo......",
    ".,.=...=====...TT...",
    "...=.o...~~===...,..",
    "oo.=.....~~~~=====..",
    "...=====...~~.,..T=.",
    ".,..T..=...~~TT..o=.",
    "...TT..=.,.~~....,=.",
    "..,....=========..=.",
    ".oo..,.....~~...====",
    "TT....,..T.~~.......",
    "TTT..,.....~~..,.TT.",
};

// Frames of tiles.png, in this order.
enum Tile { kGrass, kMeadow, kRoad, kWater, kTree, kRock, kPathDot, kFlag };

inline int tileAt(int column, int row) {
  switch (kMapRows[row][column]) {
    case ',': return kMeadow;
    case '=': return kRoad;
    case '~': return kWater;
    case 'T': return kTree;
    case 'o': return kRock;
    default: return kGrass;
  }
}

// What a step onto the cell costs the search: a road less than grass; 0 blocks
// the cell.
inline int stepCost(int column, int row) {
  switch (tileAt(column, row)) {
    case kRoad: return 1;
    case kGrass:
    case kMeadow: return 3;
    default: return 0;
  }
}

}  // namespace wayfarer
