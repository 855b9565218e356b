// The drawing state every frame starts from.
#pragma once

namespace mvn {

class OpenGLRainbows;

// Restores the drawing state after a presented frame and prepares the back
// buffer (cleared or background image 0).
void resetDrawingState(OpenGLRainbows& renderer);

}  // namespace mvn
