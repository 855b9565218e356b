// The program's two record types. Like every record type of the dialect they
// have no base class, one empty virtual operation (never called) and plain
// double and integer fields in declaration order.
#pragma once

namespace __MORVANE__ {

// A block falling behind the board.
class Tblock {
 public:
  virtual void reserved() {}

  double x = 0;            // left edge, pixels
  double y = 0;            // top edge, pixels
  double spareA = 0;
  double spareB = 0;
  double spareC = 0;
  double sizeDivisor = 0;  // the side is 64 / sizeDivisor pixels
  double speed = 0;        // pixels fallen per pass
  int red = 0;
  int green = 0;
  int blue = 0;
  double spareD = 0;
  double spareE = 0;
  double spareF = 0;
};

// A confetti strip, shown while the picture is solved.
class Ttape {
 public:
  virtual void reserved() {}

  double x = 0;
  double y = 0;
  double spin = 0;            // degrees added to angle per pass
  double fallSpeed = 0;       // pixels fallen per pass
  double phase = 0;           // animation phase 0..4
  double angle = 0;           // rotation in degrees
  double spareA = 0;
  double spareB = 0;
  double colour = 0;          // colour row 0..6 of the strip image
  double tick = 0;            // passes since the last phase step, 0..2
  double phaseDirection = 0;  // 0: phase rising, 1: phase falling
};

}  // namespace __MORVANE__
