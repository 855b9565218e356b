// The scaled window: a window the player can enlarge. Asked for by the
// program (RuntimeSettings::scaledWindow) or by the player (MORVANE_WINDOW=
// scaled in the environment). The window gets a sizing border and a maximise
// box, the program keeps drawing at its drawing size (scaled_surface.h), and
// full screen is a borderless window covering the desktop, left again for
// the window's last size and place. Without it, the window is as it always was.
#pragma once

#include <cstdint>

namespace mvn {

class OpenGLRainbows;

// True when the program or the environment asks for the scaled window.
bool scaledWindowRequested();

// Window mode for the scaled window: out of full screen back to the last size
// and place; with a new drawing size, a window of that size centred as the
// ordinary window mode places it; otherwise the window stays as the player
// sized it. Always true.
bool enterScaledWindowMode(OpenGLRainbows& renderer);
// Full screen for the scaled window: the window covers its display, the
// display mode unchanged. False when refused (then window mode, with the
// ordinary refusal's beep and log line).
bool enterScaledFullScreen(OpenGLRainbows& renderer);

// Alt+Enter and F11 (first press, not the key's repeats) switch a scaled
// window between window and full screen; true when the message was one.
bool handleFullScreenKey(uint32_t message, uintptr_t wParam, intptr_t lParam);

}  // namespace mvn
