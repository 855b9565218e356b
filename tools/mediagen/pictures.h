// The fifteen puzzle pictures, 360 by 360, each cut by the game into nine
// 120 by 120 tiles; every scene is laid out so that each tile holds something
// of its own (an object, a colour region, a horizon at its own height).
#pragma once

#include <string>

namespace mediagen {

constexpr int kPictureCount = 15;

// Writes "<number>.jpg" for one picture (1 to 15); false on a write failure.
bool makePicture(const std::string& dir, int number);

}  // namespace mediagen
