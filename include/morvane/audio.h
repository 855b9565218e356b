// Music and sound samples.
#pragma once

#include "runtime/audio/music.h"
#include "runtime/audio/sound_play.h"
#include "runtime/audio/sound_slots.h"
