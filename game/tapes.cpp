#include "game/tapes.h"

#include "game/commands.h"
#include "morvane/morvane.h"

namespace quadrivolant {

mvn::RtArray<__MORVANE__::Ttape> tapes;

void spawnTape() {
  int xDraw = mvn::rnd(790);
  int yDraw = mvn::rnd(470);
  int phaseDraw = mvn::rnd(5);
  int speedDraw = mvn::rnd(3);
  int spinDraw = mvn::rnd(20);
  int colourDraw = mvn::rnd(6);

  __MORVANE__::Ttape tape;
  tape.x = xDraw + 5;
  tape.y = yDraw - 5;
  tape.phase = phaseDraw;
  tape.fallSpeed = speedDraw + 2;
  tape.spin = spinDraw - 10;
  tape.colour = colourDraw;
  tapes.push(tape);
}

void updateTapes() {
  for (int slot = 0; slot < tapes.total; ++slot) {
    __MORVANE__::Ttape& tape = tapes.data[slot];
    setSmoothing(0);
    tape.x += mvn::rnd(6) - 3;
    tape.y += tape.fallSpeed;
    if (tape.y > 480) {
      tape.x = mvn::rnd(790) + 5;
      tape.y = -10;
      tape.phase = mvn::rnd(5);
    }
    tape.angle += tape.spin;
    if (tape.tick + 1 > 2) {
      if (tape.phaseDirection == 0) tape.phase += 1;
      if (tape.phaseDirection == 1) tape.phase -= 1;
      tape.tick = 0;
    } else {
      tape.tick += 1;
    }
    if (tape.phase > 4) {
      tape.phaseDirection = 1;
      tape.phase = 4;
    }
    if (tape.phase < 0) {
      tape.phaseDirection = 0;
      tape.phase = 0;
    }
    rotoZoomAnim(17, static_cast<int>(tape.colour * 5 + tape.phase), static_cast<int>(tape.x),
                 static_cast<int>(tape.y), tape.angle, 1.0);
  }
}

}  // namespace quadrivolant
