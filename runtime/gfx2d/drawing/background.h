// What every frame starts on: a cleared screen or background image 0.
#pragma once

#include "morvane/view.h"

namespace mvn {

class OpenGLRainbows;

// Frees background image 0's slot; the frames are cleared again.
void removeBackground(OpenGLRainbows& renderer);

// Makes the slot background image 0 and draws it at once.
void showBackground(OpenGLRainbows& renderer, int slot);



}  // namespace mvn
