// Playing sound slots: a play takes one of the slot's voices and answers a
// handle, slot * 256 + voice, by which that voice is asked about or stopped.
#pragma once

#include "morvane/audio.h"

namespace mvn {





}  // namespace mvn
