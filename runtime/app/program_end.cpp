#include "runtime/core/program_end.h"

#include <cstdio>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "runtime/core/log.h"
#include "runtime/core/runtime_objects.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/app/run_recording.h"
#include "runtime/app/startup.h"
#include "runtime/audio/music.h"
#include "runtime/audio/sound_system.h"
#include "runtime/files/shoebox.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/input/input_devices.h"
#include "runtime/platform/files.h"
#include "runtime/platform/window.h"
#include "runtime/values/errors.h"
#include "runtime/values/named_functions.h"

namespace mvn {

namespace {
bool ending = false;
bool quitCallbackRun = false;
int exitStatus = 0;

void logNumber(int value) {
  char line[32];
  std::snprintf(line, sizeof line, "%d\n", value);
  logLine(line);
}
}  // namespace

bool endInProgress() { return ending; }

void endProgram() {
  if (ending) return;
  ending = true;
  if (const int status = endRunRecording()) exitStatus = status;
  if (runtimeSettings.debugMode) {
    logLine("-End On Line\n");
    logNumber(errorCode);
    logNumber(errorLine - 1);
    logNumber(currentLine);
    logNumber(currentModule);
  }
  shutdownRuntime();
  platform::invalidateDesktop();
  std::puts("exit");
  std::fflush(stdout);
  std::exit(exitStatus);
}

void endProgramWithStatus(int status) {
  if (!ending) exitStatus = status;
  endProgram();
}

void fatalError(int code, SourcePlace at) {
  setError(code);
  // After the fault's own lines: the program's line that caused it.
  if (at.file && !ending) {
    const std::string where = "at: " + std::string(at.file) + ":" + std::to_string(at.line) + "\n";
    std::fputs(where.c_str(), stderr);
    std::fflush(stderr);
    logLine(where.c_str());
  }
  if (!ending) exitStatus = code;
  endProgram();
}

void shutdownRuntime() {
  if (!quitCallbackRun) {
    quitCallbackRun = true;
    callByName("MVN_ON_QUIT");
  }
  RuntimeObjects& objects = runtimeObjects;
  if (!objects.renderer) return;
  logLine("Shut down MVN\n");
  stopMusic();
  // The platform call: the error record of a fatal end must stay as it is.
  platform::setCurrentDirectory(executableDirectory().c_str());

  delete objects.networkState;
  objects.networkState = nullptr;
  releaseInputDevices();
  destroyInputSystem();
  destroySoundChannels();
  destroySoundSystem();
  delete objects.renderer;
  objects.renderer = nullptr;
  delete objects.scene3D;
  objects.scene3D = nullptr;
  destroyShoeboxSlots();
  if (objects.mainWindow) platform::destroyWindow(objects.mainWindow);
  objects.mainWindow = nullptr;
  logLine("mvn is shut down\n");
}

}  // namespace mvn
