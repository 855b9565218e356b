// Whether the program is paused (its window went to the background) and
// whether pausing is allowed.
#pragma once

namespace mvn {

extern int paused;      // 0 or 1
extern int allowPause;  // 0 or 1, initially 1

// Pauses (flag non-zero, when allowed) or resumes, calling "MVN_ON_PAUSE" or
// "MVN_ON_RESUME" only when the state changes.
void setPaused(int flag);
// Allows or forbids pausing; forbidding it ends a pause in progress.
void setAllowPause(int flag);

}  // namespace mvn
