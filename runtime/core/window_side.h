// The renderer's window and OpenGL context belong to the application frame.
// The renderer's destructor hands them back through this hook, declared here
// for the renderer and defined by the application frame (runtime/app).
#pragma once

namespace mvn {

class OpenGLRainbows;

// Releases the window side of a renderer: its window (leaving full screen
// first) and its context.
void releaseWindowSide(OpenGLRainbows& renderer);

}  // namespace mvn
