#include "runtime/app/collaborators.h"

#include <string>

namespace mvn::frame {

namespace {
std::string typedText;
}  // namespace

void createInputSystem() {}
void destroyInputSystem() {}
void createInputDevices(int) {}
void releaseInputDevices() {}
void setInputWindow(platform::WindowHandle) {}
void applyPointerMode(bool) {}
void applyMouseMode() {}
bool isKeyDown(int) { return false; }
void pollMice() {}
void readMouseState(int& x, int& y, int& first, int& second) { x = y = first = second = 0; }
void forceKeyboardRead() {}

void addTypedCharacter(unsigned char c) {
  if (c == 13) c = 10;
  if (c < 32 && c != 8 && c != 9 && c != 10) return;
  if (typedText.size() <= 15) typedText += static_cast<char>(c);
}

}  // namespace mvn::frame
