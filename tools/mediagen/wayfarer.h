// The media of the example program examples/wayfarer: its map tiles, the
// walker, the step sound and its font.
#pragma once

#include <string>

namespace mediagen {

// Writes tiles.png, walker.png, step.wav and wayfont.png into dir; false on a
// write failure.
bool makeWayfarerMedia(const std::string& dir);

}  // namespace mediagen
