// The input system's life: created and given its devices at start-up,
// released at shutdown.
#pragma once

#include "runtime/platform/window.h"

namespace mvn {

// Start-up: the input system object (runtimeObjects.inputSystem).
void createInputSystem();
// Shutdown, after releaseInputDevices: the object is freed.
void destroyInputSystem();

// Opens the keyboard device and, with exclusiveMouse, the mouse device
// (acquired exclusively, pointer hidden); without it the arrow pointer is
// shown and the mouse follows the system pointer. The current mouse starts
// at the pointer's position. Returns 1 when all went well, else 0.
int createInputDevices(platform::WindowHandle window, platform::ModuleHandle instance,
                       int exclusiveMouse);

// The window whose client area the mouse positions refer to.
void setInputWindow(platform::WindowHandle window);

// Leaves the arrow pointer shown where the mouse was and releases the devices.
void releaseInputDevices();

}  // namespace mvn
