// The renderer's window and OpenGL context: creation, window mode, full
// screen, screen size changes, hiding and destruction.
#pragma once

#include "morvane/program.h"

#include "runtime/core/window_side.h"
#include "runtime/platform/window.h"

namespace mvn {

class OpenGLRainbows;

// Creates the window (hidden) with its context, fixes the frame period and
// reads the driver's capabilities. A width, height or colourBits of 0 takes
// the created window's size or the desktop's depth. False when the window
// cannot be made.
bool createContext(OpenGLRainbows& renderer, platform::ModuleHandle instance, int width,
                   int height, int colourBits, int frameRate, int multisample, int fullScreen);
// A captioned window centred on the work area, shown; always true.
bool enterWindowMode(OpenGLRainbows& renderer);
// The display mode of the drawing size; false when refused (then window mode).
bool enterFullScreen(OpenGLRainbows& renderer);
void applyScreenMode(OpenGLRainbows& renderer, int width, int height, int colourBits,
                     int fullScreen);

bool hideWindow(OpenGLRainbows& renderer);
void destroyContextWindow(OpenGLRainbows& renderer);

// The style of the scaled window (scaled_window.h): the window mode's, with a
// sizing border and a maximise box.
constexpr uint32_t kStyleScaledWindow = platform::kStyleCaption | platform::kStyleSysMenu |
                                        platform::kStyleMinimizeBox | platform::kStyleMaximizeBox |
                                        platform::kStyleThickFrame;  // 0x00CF0000
// Window mode's placement: the drawing size, centred on the work area from the
// screen origin, shown, not top-most. Without move the window is only shown
// where it is, after the same questions to the system (a replay asks them
// in the same order whatever the window).
void placeCentred(OpenGLRainbows& renderer, bool move);

// The text of the software-renderer notice when "opengldriver.txt" is missing.
extern const char* const kDriverNoticeText;

}  // namespace mvn
