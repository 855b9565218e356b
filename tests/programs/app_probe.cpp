// A tiny program on the runtime for the application frame's child-process
// tests. MVN_PROBE selects what gameMain does:
//   (unset)  setScreen(800, 480, 0), then frames until the runtime ends it
//   fatal    one frame, then a fatal fault with code MVN_PROBE_CODE (default 9);
//            at exit, after the end routine, prints "error record <code>"
//   print    prints the command line, its tail and the window's state, then ends
//   pointer  shows the system pointer, then frames, printing pointer slot 0
//            whenever it changes ("slot0 x y buttons id")
//   type     frames, printing each typed character as "typed <code>"
//   hooks    the program has "MVN_WIN32_MSG" (counts its calls) and "MVN_ON_QUIT"
//            (prints the count, then tries to end the program from inside the end);
//            a message is posted to the window before every frame
//   backup   as unset, but after "ready" saves the sprite slots' images (the
//            texture backup), prints "backup saved" or "backup failed" and
//            changes directory to "/" before the frames
// MVN_PROBE_FULLSCREEN=1 starts in full screen (640 by 480).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/app/frame_loop.h"
#include "runtime/core/pointer_slots.h"
#include "runtime/app/program.h"
#include "runtime/core/program_end.h"
#include "runtime/core/runtime_objects.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/app/startup.h"
#include "runtime/app/window_context.h"
#include "runtime/files/rt_file.h"
#include "runtime/gfx2d/sprites/texture_backup.h"
#include "runtime/input/mouse.h"
#include "runtime/input/typed_text.h"
#include "runtime/platform/messages.h"
#include "runtime/platform/window.h"
#include "runtime/values/errors.h"
#include "runtime/values/named_functions.h"

namespace mvn {

namespace {

int messageCallbacks = 0;

void countMessage() { ++messageCallbacks; }

void onQuit() {
  std::printf("quit hook, messages seen: %s\n", messageCallbacks > 0 ? "some" : "none");
  endProgram();  // an end is in progress: returns at once
  std::puts("inner end returned");
  std::fflush(stdout);
}

void printErrorRecord() {
  std::printf("error record %d\n", errorCode);
  std::fflush(stdout);
}

const NamedFunction hookTable[] = {
    {&countMessage, "MVN_WIN32_MSG"}, {&onQuit, "MVN_ON_QUIT"}, {nullptr, nullptr}};

}  // namespace

void applyGameSettings() {
  const char* mode = std::getenv("MVN_PROBE");
  if (mode && std::strcmp(mode, "hooks") == 0) registerNamedFunctions(hookTable);
  runtimeSettings.screenWidth = 640;
  runtimeSettings.screenHeight = 480;
  const char* fullScreen = std::getenv("MVN_PROBE_FULLSCREEN");
  runtimeSettings.fullScreen = fullScreen && std::strcmp(fullScreen, "1") == 0 ? 1 : 0;
  runtimeSettings.exclusiveMouse = 1;
  runtimeSettings.frameRate = 60;
  runtimeSettings.debugMode = 0;
  runtimeSettings.multisample = 0;
  runtimeSettings.appName = "App Probe";
}

void gameMain() {
  const char* mode = std::getenv("MVN_PROBE");
  if (mode && std::strcmp(mode, "print") == 0) {
    std::printf("commandLine=[%s]\n", commandLine.c_str());
    std::printf("tail=[%s]\n", commandTail(commandLine.c_str()));
    std::printf("visible=%d\n", platform::isWindowVisible(runtimeObjects.mainWindow) ? 1 : 0);
    std::fflush(stdout);
    endProgram();
  }
  if (mode && std::strcmp(mode, "fatal") == 0) {
    showScreen();
    std::atexit(printErrorRecord);
    const char* code = std::getenv("MVN_PROBE_CODE");
    fatalError(code ? std::atoi(code) : 9);
  }
  const bool pointer = mode && std::strcmp(mode, "pointer") == 0;
  const bool type = mode && std::strcmp(mode, "type") == 0;
  const bool hooks = mode && std::strcmp(mode, "hooks") == 0;
  if (pointer) showSystemPointer(1);
  setScreen(800, 480, 0);
  std::puts("ready");
  std::fflush(stdout);
  if (mode && std::strcmp(mode, "backup") == 0) {
    std::puts(backupTextures(0) ? "backup saved" : "backup failed");
    std::fflush(stdout);
    setCurrentDir("/");
  }
  PointerSlot shown;
  for (;;) {
    if (hooks) platform::postMessage(runtimeObjects.mainWindow, platform::kMessageEraseBackground, 0, 0);
    showScreen();
    const PointerSlot& s = pointerSlots[0];
    if (pointer &&
        (s.x != shown.x || s.y != shown.y || s.buttons != shown.buttons || s.id != shown.id)) {
      shown = s;
      std::printf("slot0 %d %d %d %d\n", s.x, s.y, s.buttons, s.id);
      std::fflush(stdout);
    }
    for (std::string c = type ? nextTypedCharacter() : ""; !c.empty(); c = nextTypedCharacter()) {
      std::printf("typed %d\n", static_cast<unsigned char>(c[0]));
      std::fflush(stdout);
    }
  }
}

}  // namespace mvn
