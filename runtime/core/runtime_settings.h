// The settings record the program fills before start-up, and the other
// globals of the start-up sequence.
#pragma once

#include "morvane/program.h"

#include <cstdint>
#include <string>

namespace mvn {


// The base window title: appName as it was when the window got its title.
extern std::string windowTitle;
// The font text output uses.
extern int32_t currentFontIndex;

}  // namespace mvn
