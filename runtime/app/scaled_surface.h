// The drawing surface of a scaled window: the program draws into a
// framebuffer object of its drawing size, bound for drawing and reading the
// whole time, so that everything it draws and reads back is the surface
// itself; each presented frame is then shown scaled into the window (the
// largest size that fits, keeping the shape, centred, black bars; a
// whole-number scale sharp, any other smooth).
#pragma once

namespace mvn {

class OpenGLRainbows;

// Makes the surface at the window's client size (the drawing size) on the current context and
// binds it. False, with a log line, when the driver offers no framebuffer
// objects or blits, or the surface cannot be made: drawing then goes to the
// window as without the scaled window.
bool beginScaledSurface(OpenGLRainbows& renderer);
// True while the program draws into the surface.
bool scaledSurfaceActive();
// Shows the frame drawn into the surface in the window and swaps the window's
// buffers; then the surface takes the window's client size (the drawing
// size) when that changed, its pixels all zero. False (nothing done) while
// there is no surface.
bool presentScaledFrame(OpenGLRainbows& renderer);
// Shows the last presented frame again when the window was resized or
// uncovered since it was shown.
void presentAgainIfStale(OpenGLRainbows& renderer);
// Forgets the surface: its context is going away with it.
void forgetScaledSurface();

}  // namespace mvn
