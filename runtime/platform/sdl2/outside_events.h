// SDL's events as the recording keeps them (OutsideEvent), and back, and the
// intake that takes them from the system for the message queue and the
// device states.
#pragma once

#include <SDL.h>

#include "runtime/platform/recording.h"

namespace mvn::platform {

// The event in the recording's terms; false for an event the layer does not
// take (nothing of the runtime sees it).
bool outsideFromSdl(const SDL_Event& event, OutsideEvent& outside);
// The SDL event again, addressed to the layer's window when it was addressed
// to a window of the layer.
SDL_Event sdlFromOutside(const OutsideEvent& outside);

// Takes the events the system has queued (with wait, first waits for one)
// and hands them to the observers and the message queue. Recorded and
// replayed as one intake while the run is at its seams.
void takeSystemEvents(bool wait);

}  // namespace mvn::platform
