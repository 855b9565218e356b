#include "runtime/values/pause_state.h"

#include "runtime/values/named_functions.h"

namespace mvn {

int paused = 0;
int allowPause = 1;

void setPaused(int flag) {
  int v = allowPause != 0 ? flag : 0;
  if (v != 0 && paused != 1) callByName("MVN_ON_PAUSE");
  if (v == 0 && paused != 0) callByName("MVN_ON_RESUME");
  paused = v != 0 ? 1 : 0;
}

void setAllowPause(int flag) {
  allowPause = flag != 0 ? 1 : 0;
  if (flag == 0 && paused != 0) {
    paused = 0;
    callByName("MVN_ON_RESUME");
  }
}

}  // namespace mvn
