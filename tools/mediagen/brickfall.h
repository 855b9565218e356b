// The media of the example program examples/brickfall: its brick, its font
// and its three sounds.
#pragma once

#include <string>

namespace mediagen {

// Writes brick.png, brickfont.png, bounce.wav, crack.wav and lose.wav into
// dir; false on a write failure.
bool makeBrickfallMedia(const std::string& dir);

}  // namespace mediagen
