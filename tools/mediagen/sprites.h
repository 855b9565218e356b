// The game's small images: arrows, confetti strips, the falling block and the static.
#pragma once

#include <string>

namespace mediagen {

// Each writes its file into dir and returns false on a write failure.
bool makeArrows(const std::string& dir);
bool makeTicker(const std::string& dir);
bool makeBlock(const std::string& dir);
bool makeStatic(const std::string& dir);

}  // namespace mediagen
