// A program that reads the mouse every frame until a quit key ends it, for
// the input tests. MVN_QUIT_KEYS=0 switches Escape off as a quit key;
// MVN_MUSIC=<file> plays that file, looping, before the frames begin.
// MVN_ASK=<file>: when that file appears the program takes it away, presents
// three more frames (enough for input sent before it appeared to be read and
// acted on) and prints "still running"; when the file said "end", it then
// ends the program itself. The tests learn so that a key did nothing without
// waiting for any length of time.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/app/frame_loop.h"
#include "runtime/app/program.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/app/window_context.h"
#include "runtime/audio/music.h"
#include "runtime/core/program_end.h"
#include "runtime/input/mouse.h"

namespace mvn {

void applyGameSettings() {
  runtimeSettings.screenWidth = 640;
  runtimeSettings.screenHeight = 480;
  runtimeSettings.fullScreen = 0;
  runtimeSettings.exclusiveMouse = 1;
  runtimeSettings.frameRate = 60;
  runtimeSettings.debugMode = 0;
  runtimeSettings.multisample = 0;
  runtimeSettings.appName = "Input Quit Probe";
}

namespace {

void answerQuestion(const char* askFile) {
  std::error_code error;
  if (!askFile || !std::filesystem::exists(askFile, error)) return;
  std::string word;
  std::ifstream(askFile) >> word;
  std::filesystem::remove(askFile, error);
  for (int frame = 0; frame < 3; ++frame) showScreen();
  std::puts("still running");
  std::fflush(stdout);
  if (word == "end") endProgram();
}

}  // namespace

void gameMain() {
  setScreen(800, 480, 0);
  showSystemPointer(1.0);
  const char* quitKeys = std::getenv("MVN_QUIT_KEYS");
  if (quitKeys && std::strcmp(quitKeys, "0") == 0) quitKeysEnabled = 0;
  if (const char* music = std::getenv("MVN_MUSIC")) playMusic(music, 1);
  const char* askFile = std::getenv("MVN_ASK");
  std::puts("ready");
  std::fflush(stdout);
  for (;;) {
    int x = 0, y = 0, button1 = 0, button2 = 0;
    mouseState(x, y, button1, button2);
    answerQuestion(askFile);
    showScreen();
  }
}

}  // namespace mvn
