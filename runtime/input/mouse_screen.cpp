// The screen the mouse state is reported on, taken from the renderer.
#include "runtime/core/runtime_objects.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/drawing/view.h"
#include "runtime/input/mouse.h"

namespace mvn {

MouseScreen currentMouseScreen() {
  MouseScreen screen;
  if (const OpenGLRainbows* renderer = runtimeObjects.renderer) {
    screen.width = renderer->windowWidth;
    screen.height = renderer->windowHeight;
    screen.orientation = renderer->orientation;
  } else if (const InputSystem* input = currentInput()) {
    const platform::Rect client = platform::clientRect(input->window);
    screen.width = client.width();
    screen.height = client.height();
  }
  const VirtualResolution& virtualScreen = virtualResolution();
  screen.scale = virtualScreen.scale;
  screen.offsetX = virtualScreen.offsetX;
  screen.offsetY = virtualScreen.offsetY;
  return screen;
}

}  // namespace mvn
