#include "runtime/app/startup.h"

#include <cstdio>

#include "runtime/app/automation.h"
#include "runtime/values/errors.h"
#include "runtime/app/declared_functions.h"
#include "runtime/app/frame_loop.h"
#include "runtime/app/run_recording.h"
#include "runtime/core/log.h"
#include "runtime/core/runtime_objects.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/core/timer.h"
#include "runtime/app/window_context.h"
#include "runtime/app/window_procedure.h"
#include "runtime/audio/sound_system.h"
#include "runtime/files/rt_file.h"
#include "runtime/files/shoebox.h"
#include "runtime/gfx2d/drawing/background.h"
#include "runtime/gfx2d/drawing/draw_batch.h"
#include "runtime/gfx2d/fonts/font_builtin.h"
#include "runtime/gfx2d/fonts/font_loading.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/drawing/view.h"
#include "runtime/input/input_devices.h"
#include "runtime/input/mouse.h"
#include "runtime/platform/cursor.h"
#include "runtime/platform/files.h"
#include "runtime/platform/process.h"
#include "runtime/platform/recording.h"
#include "runtime/platform/time.h"
#include "runtime/platform/window.h"
#include "runtime/values/pause_state.h"
#include "runtime/values/random.h"

namespace mvn {

using namespace platform;

namespace {

std::string forwardSlashes(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

}  // namespace

const char* commandTail(const char* line) {
  if (!line) return "";
  const char* p = line;
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p && *p != ' ' && *p != '\t') ++p;
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

std::string executableDirectory() {
  std::string path = forwardSlashes(executablePath());
  if (path.size() > 1024) path.resize(1024);
  const size_t cut = path.find_last_of("/\\");
  if (cut != std::string::npos) path.resize(cut);
  return path;
}

uint32_t startupSeed() {
  uint32_t seed = 0;
  if (automationSeed(seed)) return seed;
  const uint64_t counter = performanceCounter();
  const uint64_t wall = static_cast<uint64_t>(wallClockSeconds());
  const uint64_t mixed = counter ^ (wall * 0x9E3779B97F4A7C15ull);
  return static_cast<uint32_t>(mixed ^ (mixed >> 32));
}

int initialiseRuntime(ModuleHandle instance, int showCommand, const char* title) {
  removePath(logPath().c_str());
  logLine("Start new log...\n");
  beginRunRecording();  // before the first reading of the outside world
  allowPause = 1;

  logLine("timer\n");
  initTimer();

  if (drawBatchDisabled()) setDrawBatching(false);

  logLine("rbow\n");
  runtimeObjects.renderer = new OpenGLRainbows;
  OpenGLRainbows& renderer = *runtimeObjects.renderer;
  logLine("rbow init\n");

  if (!createContext(renderer, instance, runtimeSettings.screenWidth,
                     runtimeSettings.screenHeight, 0, runtimeSettings.frameRate,
                     runtimeSettings.multisample, runtimeSettings.fullScreen))
    return 0;

  runtimeObjects.mainWindow = renderer.window;
  setWindowText(runtimeObjects.mainWindow, title);
  logLine("Cptn\n");
  windowTitle = title ? title : "";

  // Differs from run to run unless MORVANE_SEED names one; a replay takes the recording's.
  seedRandom(runSeed(startupSeed));

  logLine("Network\n");
  runtimeObjects.networkState = new NetworkState;

  runtimeObjects.scene3D = new Scene3D(runtimeObjects.renderer);
  logLine("Input\n");
  createInputSystem();

  logLine("Window mode\n");
  if (runtimeSettings.fullScreen) enterFullScreen(renderer);
  else enterWindowMode(renderer);

  logLine("Create DXin\n");
  createInputDevices(runtimeObjects.mainWindow, instance, runtimeSettings.exclusiveMouse != 0);
  logLine("reptr\n");

  currentFontIndex = 0;
  setInputWindow(renderer.window);

  logLine("getexe\n");
  const std::string directory = executableDirectory();
  logLine("cd\n");
  setCurrentDir(directory.c_str());
  const std::string exepath = "exepath=curdir= " + directory + "\n";
  logLine(exepath.c_str());

  createShoeboxSlots();  // both slots consult an archive appended to the executable

  logLine("init gettimer\n");
  resetFrameTimes();

  logLine("clear screen\n");
  clearScreen(0);
  logLine("flip\n");
  // Nothing has been shown yet that a held rate could pace: the start-up
  // swap does not wait out the period the window's first swap began.
  renderer.nextFrameTime = pacingMs();
  swapAndHold(renderer, nullptr);
  logLine("mk2D\n");
  make2D(renderer);
  buildBuiltinFont(renderer, 0);

  logLine("finding font...\n");
  loadDefaultFont();

  paused = 0;
  // The program carries no cursor of its own: no pointer until the pointer mode.
  setCursor(Cursor::None);

  resetFrameTimes();

  if (showCommand == 0) {
    hideWindow(renderer);
    showWindow(runtimeObjects.mainWindow, kShowHide);
  }

  showSystemPointer(runtimeSettings.exclusiveMouse == 0 ? 1 : 0);

  resolveDeclaredFunctions();

  if (EnableMouseInPointer) {
    logLine("Win8+ mouse as pointer\n");
    EnableMouseInPointer(1);
  } else {
    writeStdErr(
        "!!! EnableMouseInPointer() not found in user32.dll. If this is >=Win8, you get no "
        "mouse messages.\n");
  }

  createSoundSystem(runtimeObjects.mainWindow);

  logLine("Init Finalized\n");
  return 0;
}

}  // namespace mvn
