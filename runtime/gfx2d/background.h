// What every frame starts on: a cleared screen or background image 0.
#pragma once

namespace mvn {

class OpenGLRainbows;

// Frees background image 0's slot; the frames are cleared again.
void removeBackground(OpenGLRainbows& renderer);

// Makes the slot background image 0 and draws it at once.
void showBackground(OpenGLRainbows& renderer, int slot);

void clearScreen(int colour);
void useScreenAsBackground();
void loadBackground(const char* file);

}  // namespace mvn
