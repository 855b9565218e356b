// The two routines every program on the runtime provides; the process entry
// calls them.
#pragma once

namespace mvn {

// Fills runtimeSettings (runtime/core/runtime_settings.h).
void applyGameSettings();
// The program's main routine.
void gameMain();

}  // namespace mvn
