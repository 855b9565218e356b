// The drawing state every frame starts from.
#pragma once

namespace mvn {

class OpenGLRainbows;

// Alpha mode -1 with the alpha test off, full opacity, no tint, white.
void resetBlending(OpenGLRainbows& renderer);

// Restores the drawing state after a presented frame and prepares the back
// buffer (cleared or background image 0): whole-screen viewport, alpha test
// off, alpha blending at full opacity, white.
void resetDrawingState(OpenGLRainbows& renderer);

// Prepares the back buffer: clears it as clearEachFrame and clearDepthPending
// ask, or draws background image 0 at the top-left corner.
void beginFrame(OpenGLRainbows& renderer);

}  // namespace mvn
