// A program that reports the font the start-up chose, then ends: the current
// font number, its cell size, its scale, the size of its image, and the width
// of "Hello" in fixed and proportional text.
#include <cstdio>

#include "runtime/app/program.h"
#include "runtime/core/program_end.h"
#include "runtime/core/runtime_objects.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/gfx2d/fonts/font_selection.h"
#include "runtime/gfx2d/font_tables.h"
#include "runtime/gfx2d/fonts/font_text.h"
#include "runtime/gfx2d/opengl_rainbows.h"

namespace mvn {

void applyGameSettings() {
  runtimeSettings.screenWidth = 320;
  runtimeSettings.screenHeight = 200;
  runtimeSettings.fullScreen = 0;
  runtimeSettings.exclusiveMouse = 0;
  runtimeSettings.frameRate = 60;
  runtimeSettings.debugMode = 0;
  runtimeSettings.multisample = 0;
  runtimeSettings.appName = "Font Probe";
}

void gameMain() {
  const OpenGLRainbows& r = *runtimeObjects.renderer;
  const int font = getFont();
  int width = 0, height = 0;
  getFontSize(width, height);
  const SpriteSlot& slot = r.spriteSlots[fontSlot(font)];
  std::printf("font %d cell %dx%d scale %g image %dx%d hello %d/%d\n", font, width, height,
              static_cast<double>(r.fonts.fontScale[font]), slot.imageWidth, slot.imageHeight,
              textWidth("Hello", 0), textWidth("Hello", 1));
  std::fflush(stdout);
  endProgram();
}

}  // namespace mvn
