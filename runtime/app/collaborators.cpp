#include "runtime/app/collaborators.h"

#include <string>

namespace mvn::frame {

namespace {
int pausedFlag = 0;
int allowPause = 1;
std::string typedText;
}  // namespace

int paused() { return pausedFlag; }

void setPaused(int flag) {
  const int v = allowPause ? flag : 0;
  if (v != pausedFlag) {
    pausedFlag = v;
    callByName(v ? "MVN_ON_PAUSE" : "MVN_ON_RESUME");
  }
}

ProgramFunction findByName(const char*) { return nullptr; }
int callByName(const char*) { return 0; }
void runLoop(const char*) {}
void seedRandom(uint32_t) {}

void createInputSystem() {}
void destroyInputSystem() {}
void createInputDevices(int) {}
void releaseInputDevices() {}
void applyPointerMode(bool) {}
void applyMouseMode() {}
void setInputWindow(platform::WindowHandle) {}
bool isKeyDown(int) { return false; }
void pollMice() {}
void readMouseState(int& x, int& y, int& first, int& second) { x = y = first = second = 0; }
void forceKeyboardRead() {}

void addTypedCharacter(unsigned char c) {
  if (c == 13) c = 10;
  if (c < 32 && c != 8 && c != 9 && c != 10) return;
  if (typedText.size() <= 15) typedText += static_cast<char>(c);
}

void make2D(OpenGLRainbows&) {}
void clearScreen(int) {}
void setWholeView(OpenGLRainbows&) {}
void resetVirtualSize(OpenGLRainbows&) {}
void beginFrame(OpenGLRainbows&) {}
void endRenderTarget(OpenGLRainbows&) {}
void freeAllSlots(OpenGLRainbows&) {}

void buildBuiltinFont(int) {}
void loadDefaultFont() {}

void createShoeboxSlots() {}
void setArchive(const char*, const char*) {}
void releaseShoeboxSlots() {}

void createSoundSystem(platform::WindowHandle) {}
void releaseSoundSystem() {}

void keepMusicLooping() {}
void stopMusic() {}

}  // namespace mvn::frame
