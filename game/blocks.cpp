#include "game/blocks.h"

#include "game/commands.h"
#include "morvane/morvane.h"

namespace quadrivolant {

mvn::RtArray<__MORVANE__::Tblock> blocks;

void spawnBlock() {
  double x = mvn::rnd(800);
  double y = mvn::rnd(550);
  int sizeDraw = mvn::rnd(2);
  int speedDraw = mvn::rnd(3);
  int red = mvn::rnd(255);
  int green = mvn::rnd(255);
  int blue = mvn::rnd(255);
  int spareDraw = mvn::rnd(1);
  int lastDraw = mvn::rnd(5);

  __MORVANE__::Tblock block;
  block.x = x;
  block.y = y;
  block.sizeDivisor = sizeDraw + 1;
  block.speed = speedDraw + 1;
  block.red = red;
  block.green = green;
  block.blue = blue;
  block.spareA = spareDraw;
  block.spareF = lastDraw;
  blocks.push(block);
}

void updateBlocks() {
  for (int slot = 0; slot < blocks.total; ++slot) {
    __MORVANE__::Tblock& block = blocks.data[slot];
    block.y += block.speed;
    if (block.y > 520) {
      block.x = mvn::rnd(900) - 50;
      block.y = -100;
      block.sizeDivisor = mvn::rnd(6);
      block.speed = mvn::rnd(3) + 1;
    }
    // A respawned block may draw the divisor 0, which gives it no finite
    // corners: it falls unseen until it respawns.
    double d = block.sizeDivisor;
    if (d == 0) continue;
    double s = 64 / d;
    startPoly(501, 0);
    polyVector(block.x + s, block.y, 64, 0, 0xFFFFFF);
    polyVector(block.x, block.y, 0, 0, 0xFFFFFF);
    polyVector(block.x, block.y + s, 0, 64, 0xFFFFFF);
    polyVector(block.x + s, block.y + s, 64, 64, 0xFFFFFF);
    endPoly();
  }
}

}  // namespace quadrivolant
