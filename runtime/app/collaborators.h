// What the application frame takes from the value, input and 2D modules.
// Each function forwards to its module's command.
#pragma once

#include <cstdint>

#include "runtime/platform/window.h"

namespace mvn {

class OpenGLRainbows;

namespace frame {

using ProgramFunction = void (*)();

// Pause state of the program.
int paused();
void setPaused(int flag);
// The program's functions found by name.
ProgramFunction findByName(const char* name);
int callByName(const char* name);
void runLoop(const char* name);
void seedRandom(uint32_t seed);

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

// 2D drawing state.
void make2D(OpenGLRainbows& renderer);
void clearScreen(int colour);
void setWholeView(OpenGLRainbows& renderer);
void resetVirtualSize(OpenGLRainbows& renderer);
void beginFrame(OpenGLRainbows& renderer);
void endRenderTarget(OpenGLRainbows& renderer);
void freeAllSlots(OpenGLRainbows& renderer);

// Fonts.
void buildBuiltinFont(int font);
void loadDefaultFont();

// Shoebox slots, both pointed at an archive appended to the executable.
void createShoeboxSlots();
void setArchive(const char* fileArchive, const char* memoryArchive);
void releaseShoeboxSlots();

// Sound output.
void createSoundSystem(platform::WindowHandle window);
void releaseSoundSystem();

// Music.
void keepMusicLooping();
void stopMusic();

}  // namespace frame
}  // namespace mvn
