// The record a planner is set up from.
#pragma once

namespace mvn {

struct PlannerParameters {
  int startX = 0;
  int startY = 0;
  int goalX = 0;
  int goalY = 0;
  // A diagonal step costs the cell's cost times 1.4142137 (else the cost).
  bool diagonalCostFactor = true;
  // The four diagonal neighbours are expanded too.
  bool diagonalMoves = false;
  // Nodes a search may take, one per cell reached; 0 (or less) means W x H.
  int poolSize = 0;
  // Entries the open list holds at once; 0 (or less) means W x H.
  int openCapacity = 0;
  // The estimate's weight w, held to 0..1 by the set-up (NaN counts as 0).
  float weight = 0.0f;
  // The map: W x H values, cell (x, y) at map[x + y * width].
  int width = 0;
  int height = 0;
  const double* map = nullptr;
};

// The factor of a diagonal step's cost.
inline constexpr float kDiagonalCostFactor = 1.4142137f;

}  // namespace mvn
