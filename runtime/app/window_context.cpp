#include "runtime/app/window_context.h"

#include <GL/gl.h>

#include <cstring>

#include "runtime/app/frame_loop.h"
#include "runtime/app/gl_capabilities.h"
#include "runtime/core/log.h"
#include "runtime/app/notice.h"
#include "runtime/app/scaled_surface.h"
#include "runtime/app/scaled_window.h"
#include "runtime/core/runtime_objects.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/core/timer.h"
#include "runtime/app/window_procedure.h"
#include "runtime/audio/sound_system.h"
#include "runtime/files/rt_file.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/sprites/sprite_store.h"
#include "runtime/gfx2d/drawing/view.h"
#include "runtime/input/input_devices.h"
#include "runtime/input/mouse.h"
#include "runtime/platform/cursor.h"
#include "runtime/platform/gl_context.h"
#include "runtime/platform/messages.h"
#include "runtime/platform/notice.h"

namespace mvn {

using namespace platform;

const char* const kDriverNoticeText =
    "Please update your GFX adapter's driver\nso it can render OpenGL by HARDWARE\n\n\n"
    "Bitte aktualisieren Sie Ihren\nGrafkkartentreiber, damit er OpenGL\nper HARDWARE "
    "unterst\xFCtzt!";

namespace {

int classRegistered = 0;
int softwareCheckDone = 0;
constexpr char kClassName[] = "Morvane";
constexpr uint32_t kStyleWindowed = kStyleCaption | kStyleSysMenu | kStyleMinimizeBox;  // 0x00CA0000
constexpr uint32_t kStyleHidden = kStyleClipSiblings | kStyleClipChildren;           // 0x06000000

WindowHandle createCaptionedWindow(ModuleHandle, int width, int height) {
  const int outerHeight = height + systemMetric(kMetricCaptionHeight) + 6 * systemMetric(kMetricBorderHeight);
  // A scaled window is one from the start: the system fixes some of what it
  // takes (high DPI) when the window is made.
  const uint32_t style = scaledWindowRequested() ? kStyleCaption | kStyleThickFrame : kStyleCaption;
  return createWindow(kClassName, kClassName, style, 0, 0, width, outerHeight);
}

// Reads the driver note of the current directory: at most 2047 bytes.
void readDriverNote(char (&text)[2048]) {
  std::memset(text, 0, sizeof text);
  RtFile file;
  if (!file.openRead("opengldriver.txt")) return;
  const int64_t size = file.getSize();
  const int64_t count = size < 2047 ? size : 2047;
  if (count > 0 && !file.read(text, count)) std::memset(text, 0, sizeof text);
  file.close();
}

void checkSoftwareRenderer(OpenGLRainbows& renderer, int format) {
  if (softwareCheckDone) return;
  PixelFormat description;
  // Read from the context just made: the text belongs to it and goes with it.
  const char* rendererName = nullptr;
  if (describePixelFormat(renderer.window, format, description))
    rendererName = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  const bool software = (description.flags & kPixelFormatGeneric) != 0 ||
                        (rendererName && std::strcmp(rendererName, "Mesa Windows GDI Driver") == 0);
  if (!software) return;
  logLine("*** OpenGL Software Emulation - update driver!\n");
  softwareCheckDone = 1;
  char note[2048];
  readDriverNote(note);
  showMessageBox("No OpenGL Hardware Drivers", note[0] ? note : kDriverNoticeText,
                 kIconExclamation);
}

}  // namespace

bool createContext(OpenGLRainbows& renderer, ModuleHandle instance, int width, int height,
                   int colourBits, int frameRate, int multisample, int fullScreen) {
  if (wglSwapIntervalEXT) wglSwapIntervalEXT(0);
  renderer.framePeriod = framePeriodFor(frameRate);
  if (!classRegistered) {
    if (!registerWindowClass(kClassName, &windowProcedure)) return false;
    classRegistered = 1;
  }
  renderer.instance = instance;
  logLine("WIN32 init video\n");
  runtimeSettings.desktopWidth = systemMetric(kMetricScreenWidth);
  runtimeSettings.desktopHeight = systemMetric(kMetricScreenHeight);

  renderer.window = createCaptionedWindow(instance, width, height);
  if (!renderer.window) return false;

  const Rect outer = windowRect(renderer.window);
  if (colourBits == 0) colourBits = desktopColourBits();
  if (width == 0) width = outer.width() < 0 ? -outer.width() : outer.width();
  if (height == 0) height = outer.height() < 0 ? -outer.height() : outer.height();
  renderer.fullScreenActive = 0;
  renderer.colourBits = colourBits;
  renderer.windowHeight = height;
  renderer.windowWidth = width;

  PixelFormat request;
  request.flags =
      kPixelFormatDrawToWindow | kPixelFormatSupportOpenGL | kPixelFormatDoubleBuffer | kPixelFormatSupportComposition;
  request.colourBits = colourBits > 24 ? 24 : colourBits;
  request.alphaBits = 8;
  request.depthBits = 24;
  request.stencilBits = 8;
  int format = choosePixelFormat(renderer.window, request);
  setPixelFormat(renderer.window, format);

  if (!renderer.glContext) renderer.glContext = createGLContext(renderer.window);
  if (!makeCurrent(renderer.window, renderer.glContext)) {
    deleteGLContext(renderer.glContext);
    renderer.glContext = createGLContext(renderer.window);
    makeCurrent(renderer.window, renderer.glContext);
  }
  // No context at all leaves nothing to draw with: as good as no window.
  if (!renderer.glContext) return false;

  if (multisample) {
    const int multisampled = chooseMultisampleFormat(renderer.window, 0);
    if (multisampled) {
      destroyContextWindow(renderer);
      renderer.window = createCaptionedWindow(instance, width, height);
      if (!renderer.window) return false;
      setPixelFormat(renderer.window, multisampled);
      // The old context goes with its window: a new one is made for the new format.
      deleteGLContext(renderer.glContext);
      renderer.glContext = createGLContext(renderer.window);
      if (!renderer.glContext) return false;
      makeCurrent(renderer.window, renderer.glContext);
      format = multisampled;
    }
  }

  checkSoftwareRenderer(renderer, format);

  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  renderer.colourBits = colourBits;
  renderer.windowHeight = height;
  renderer.windowWidth = width;
  renderer.virtualWidth = 0;
  renderer.virtualHeight = 0;
  renderer.fullScreenActive = 0;

  logLine("get accurate timer - 1st call\n");
  renderer.nextFrameTime = timerMs();
  logLine("flip - 1st call\n");
  swapAndHold(renderer, nullptr);

  loadExtensionEntryPoints();
  testBgraSupport(renderer);
  logTextureSizeLimit();
  logLine("init fbo\n");
  loadFramebufferEntryPoints();
  if (scaledWindowRequested() && !beginScaledSurface(renderer))
    setWindowStyle(renderer.window, kStyleCaption, 0);  // an ordinary window after all

  updateWindow(renderer.window);
  showWindow(renderer.window, kShowHide);
  logLine("2D VP\n");
  make2D(renderer);
  logLine("OGRB init [OK]\n");
  return true;
}

bool enterWindowMode(OpenGLRainbows& renderer) {
  if (scaledSurfaceActive()) return enterScaledWindowMode(renderer);
  if (renderer.fullScreenActive) restoreDisplayMode(renderer.window);
  setWindowStyle(renderer.window, kStyleWindowed, 0);
  updateWindow(renderer.window);
  placeCentred(renderer, true);
  setView(renderer, 0, 0, 0, 0, 1);
  renderer.fullScreenActive = 0;
  return true;
}

void placeCentred(OpenGLRainbows& renderer, bool move) {
  Rect work;
  if (!monitorWorkArea(renderer.window, work)) work = desktopWorkArea();
  const int outerWidth = renderer.windowWidth + 6 * systemMetric(kMetricBorderWidth);
  const int outerHeight =
      systemMetric(kMetricCaptionHeight) + renderer.windowHeight + 6 * systemMetric(kMetricBorderHeight);
  // Centred from the screen origin: the work area's own left and top are
  // not added.
  const int x = (work.width() - renderer.windowWidth) / 2;
  const int y = (work.height() - renderer.windowHeight) / 2;
  if (move) setWindowPos(renderer.window, false, x, y, outerWidth, outerHeight, true);
  showWindow(renderer.window, kShowNormal);
  invalidateDesktop();
  updateWindow(renderer.window);
  bringWindowToTop(renderer.window);
}

bool enterFullScreen(OpenGLRainbows& renderer) {
  if (scaledSurfaceActive()) return enterScaledFullScreen(renderer);
  int bits = 0;
  if (renderer.colourBits != 0 && renderer.colourBits != desktopColourBits())
    bits = renderer.colourBits;
  if (!changeDisplayMode(renderer.window, renderer.windowWidth, renderer.windowHeight, bits) &&
      (bits == 0 ||
       !changeDisplayMode(renderer.window, renderer.windowWidth, renderer.windowHeight, 0))) {
    messageBeep(kIconExclamation);
    logLine("No Fullscreen Mode available\n");
    enterWindowMode(renderer);
    return false;
  }
  setView(renderer, 0, 0, 0, 0, 1);
  setWindowStyle(renderer.window, kStylePopup | kStyleVisible, 0);
  showWindow(renderer.window, kShowRestore);
  updateWindow(renderer.window);
  setForegroundWindow(renderer.window);
  setFocus(renderer.window);
  setWindowPos(renderer.window, true, 0, 0, renderer.windowWidth, renderer.windowHeight, false);
  setView(renderer, 0, 0, 0, 0, 1);
  renderer.fullScreenActive = 1;
  return true;
}

void applyScreenMode(OpenGLRainbows& renderer, int width, int height, int colourBits,
                     int fullScreen) {
  if (width) renderer.windowWidth = width;
  if (height) renderer.windowHeight = height;
  if (colourBits) renderer.colourBits = colourBits;
  renderer.virtualWidth = 0;  // the next view set-up takes the window size
  renderer.virtualHeight = 0;
  enterWindowMode(renderer);
  if (fullScreen)
    enterFullScreen(renderer);
  else
    enterWindowMode(renderer);
}

void setScreen(int width, int height, int fullScreen) {
  runtimeSettings.screenWidth = width;
  runtimeSettings.screenHeight = height;
  runtimeSettings.fullScreen = fullScreen;
  OpenGLRainbows* renderer = runtimeObjects.renderer;
  if (!renderer) return;
  applyScreenMode(*renderer, width, height, 0, fullScreen);
  applyMouseMode();
  setInputWindow(renderer->window);
  runtimeObjects.mainWindow = renderer->window;
  setSoundWindow(renderer->window);
  for (int i = 0; i < 5; ++i) showScreen();
}

bool hideWindow(OpenGLRainbows& renderer) {
  if (renderer.fullScreenActive) restoreDisplayMode(renderer.window);
  setWindowStyle(renderer.window, kStyleHidden, 0);
  showWindow(renderer.window, kShowHide);
  updateWindow(renderer.window);
  renderer.fullScreenActive = 0;
  pumpMessages(renderer, nullptr, false);
  return true;
}

void destroyContextWindow(OpenGLRainbows& renderer) {
  freeAllSlots(renderer);
  if (!renderer.window) return;
  enterWindowMode(renderer);
  makeCurrent(renderer.window, nullptr);
  invalidateDesktop();
  destroyWindow(renderer.window);
  renderer.window = nullptr;
  renderer.windowWidth = renderer.windowHeight = 0;
}

void releaseWindowSide(OpenGLRainbows& renderer) {
  destroyContextWindow(renderer);
  forgetScaledSurface();
  if (renderer.glContext) {
    deleteGLContext(renderer.glContext);
    renderer.glContext = nullptr;
  }
}

int getScreenWidth() { return runtimeSettings.screenWidth; }
int getScreenHeight() { return runtimeSettings.screenHeight; }
int isFullScreen() {
  return runtimeObjects.renderer ? runtimeObjects.renderer->fullScreenActive : 0;
}

}  // namespace mvn
