#include "game/opening_static.h"

#include "game/commands.h"
#include "morvane/morvane.h"

namespace quadrivolant {

void drawOpeningStatic() {
  for (int y = 150; y <= 322; y += 4) {
    for (int x = 540; x <= 712; x += 4) {
      int frame = mvn::rnd(280);
      drawAnim(300, frame, x, y);
    }
  }
}

}  // namespace quadrivolant
