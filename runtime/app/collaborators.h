// What the application frame takes from the input devices.
#pragma once

#include <cstdint>

#include "runtime/platform/window.h"

namespace mvn {

namespace frame {

using ProgramFunction = void (*)();

// Input devices.
void createInputSystem();
void destroyInputSystem();
void createInputDevices(int exclusiveMouse);
void releaseInputDevices();
void applyPointerMode(bool exclusive);
void applyMouseMode();
void setInputWindow(platform::WindowHandle window);
bool isKeyDown(int code);
void pollMice();
void readMouseState(int& x, int& y, int& firstButton, int& secondButton);
void forceKeyboardRead();
void addTypedCharacter(unsigned char c);

}  // namespace frame
}  // namespace mvn
