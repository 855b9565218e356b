// The drawing surface of a scaled window: the program draws at its drawing
// size into the bottom-left corner of the window's back buffer, so that
// everything it draws and reads back is exactly as in an ordinary window; each
// presented frame is shown scaled over the whole window (the largest size that
// fits, keeping the shape, centred, black bars; a whole-number scale sharp,
// any other smooth), through a copy of the frame in a framebuffer object.
#pragma once

namespace mvn {

class OpenGLRainbows;

// Makes the frame's copy at the window's client size (the drawing size) on
// the current context. False, with a log line, when the driver offers no
// framebuffer objects or blits, or the copy cannot be made: the window then
// stays an ordinary one.
bool beginScaledSurface(OpenGLRainbows& renderer);
// True while frames are shown scaled.
bool scaledSurfaceActive();
// Shows the frame drawn in the window's drawing corner scaled, swaps the
// window's buffers and puts the frame back into the corner. False (nothing
// done) while frames are not shown scaled.
bool presentScaledFrame(OpenGLRainbows& renderer);
// Shows the last presented frame again when the window was resized or
// uncovered since it was shown.
void presentAgainIfStale(OpenGLRainbows& renderer);
// Forgets the frame's copy: its context is going away with it.
void forgetScaledSurface();

}  // namespace mvn
