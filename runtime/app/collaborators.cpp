#include "runtime/app/collaborators.h"

#include "runtime/app/runtime_objects.h"
#include "runtime/input/input_devices.h"
#include "runtime/input/keyboard.h"
#include "runtime/input/mouse.h"
#include "runtime/input/typed_text.h"

namespace mvn::frame {

void createInputSystem() { mvn::createInputSystem(); }
void destroyInputSystem() { mvn::destroyInputSystem(); }
void createInputDevices(int exclusiveMouse) {
  mvn::createInputDevices(runtimeObjects.mainWindow, platform::executableModule(), exclusiveMouse);
}
void releaseInputDevices() { mvn::releaseInputDevices(); }
void setInputWindow(platform::WindowHandle window) { mvn::setInputWindow(window); }
void applyPointerMode(bool exclusive) { showSystemPointer(exclusive ? 0.0 : 1.0); }
void applyMouseMode() { mvn::applyMouseMode(); }
bool isKeyDown(int code) { return mvn::isKeyDown(code) != 0; }
void pollMice() { mvn::pollMice(); }
void readMouseState(int& x, int& y, int& first, int& second) { mouseState(x, y, first, second); }
void forceKeyboardRead() { resetKeyPolling(); }
void addTypedCharacter(unsigned char c) { mvn::addTypedCharacter(c); }

}  // namespace mvn::frame
