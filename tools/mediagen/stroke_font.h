// A font image for the runtime's font loader, drawn from the runtime's
// built-in letter shapes (5 by 6 points) as rounded strokes with a dark edge:
// 256x128 pixels, 16 by 8 cells of 16x16, 128 characters.
#pragma once

#include <string>

#include "canvas.h"

namespace mediagen {

struct StrokeFontColours {
  Color edge;    // the outline under every stroke
  Color top;     // the stroke at a letter's top ...
  Color bottom;  // ... fading to this at its foot
};

bool writeStrokeFont(const std::string& path, const StrokeFontColours& colours);

}  // namespace mediagen
