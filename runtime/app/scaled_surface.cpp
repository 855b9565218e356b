#include "runtime/app/scaled_surface.h"

#include <cstdio>

#include "runtime/app/gl_capabilities.h"
#include "runtime/core/log.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/platform/gl_context.h"
#include "runtime/platform/scaled_area.h"
#include "runtime/platform/window.h"

namespace mvn {

namespace {

// The program draws into the window's own back buffer, whose bottom-left
// drawing-sized corner is the surface: the same buffer, the same rasteriser
// paths, the same pixels as in an ordinary window. At each present that
// corner is copied into a framebuffer object of the drawing size (the frame
// shown), which is then drawn scaled over the whole back buffer, and after
// the swap copied back into the corner: the program finds its last frame
// there, as in an ordinary window. The copy also stays to be shown again when
// the window changes while the program does not present (paused, say).
struct Surface {
  bool active = false;
  int width = 0, height = 0;
  GLuint shown = 0, shownColour = 0;
  GLuint held = 0, heldColour = 0;  // a frame in the making, kept while the last one is shown again
  int areaWidth = -1, areaHeight = -1;  // the window's pixels at the last presentation
};

Surface surface;
PFNGLBLITFRAMEBUFFEREXTPROC blitFramebuffer = nullptr;

bool allocateOne(GLuint framebuffer, GLuint colour, int width, int height) {
  glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, colour);
  glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_RGBA8, width, height);
  glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, 0);
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
  glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_RENDERBUFFER_EXT,
                               colour);
  const bool complete =
      glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) == GL_FRAMEBUFFER_COMPLETE_EXT;
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
  return complete;
}

bool allocate(int width, int height) {
  const bool complete = allocateOne(surface.shown, surface.shownColour, width, height) &&
                        allocateOne(surface.held, surface.heldColour, width, height);
  surface.width = width;
  surface.height = height;
  return complete;
}

void release() {
  if (surface.shown) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    const GLuint framebuffers[] = {surface.shown, surface.held};
    glDeleteFramebuffersEXT(2, framebuffers);
    const GLuint renderbuffers[] = {surface.shownColour, surface.heldColour};
    glDeleteRenderbuffersEXT(2, renderbuffers);
  }
  surface = Surface{};
}

void logRefusal(const char* reason) {
  char line[160];
  std::snprintf(line, sizeof line, "scaled window: %s; the window keeps the drawing size\n",
                reason);
  logLine(line);
}

// A copy of the colour of one drawing-sized corner to another, pixel for pixel.
void copyCorner(GLuint from, GLuint to) {
  glBindFramebufferEXT(GL_READ_FRAMEBUFFER_EXT, from);
  glBindFramebufferEXT(GL_DRAW_FRAMEBUFFER_EXT, to);
  blitFramebuffer(0, 0, surface.width, surface.height, 0, 0, surface.width, surface.height,
                  GL_COLOR_BUFFER_BIT, GL_NEAREST);
}

// Copies the drawing corner into `to`, whatever scissor the program left,
// and binds the window's framebuffer again.
void keepDrawing(GLuint to) {
  const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
  glDisable(GL_SCISSOR_TEST);
  copyCorner(0, to);
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
  if (scissor) glEnable(GL_SCISSOR_TEST);
}

// Shows the frame shown last, scaled over the whole back buffer with black
// bars, swaps, and puts `back` (a frame's copy) into the drawing corner. The
// program's scissor and clear colour are kept.
void showInWindow(OpenGLRainbows& renderer, GLuint back) {
  int areaWidth = 0, areaHeight = 0;
  platform::drawableSize(renderer.window, areaWidth, areaHeight);
  const platform::ScaledArea area =
      platform::fitDrawing(surface.width, surface.height, areaWidth, areaHeight);
  GLfloat clearColour[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
  const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
  glDisable(GL_SCISSOR_TEST);
  glBindFramebufferEXT(GL_READ_FRAMEBUFFER_EXT, surface.shown);
  glBindFramebufferEXT(GL_DRAW_FRAMEBUFFER_EXT, 0);
  glClearColor(0, 0, 0, 1);
  // The window's buffers take a new size of the window at a swap: the first
  // frame shown at a new size is shown twice, the second time whole.
  const bool newArea = areaWidth != surface.areaWidth || areaHeight != surface.areaHeight;
  for (int pass = 0; pass < (newArea ? 2 : 1); ++pass) {
    glClear(GL_COLOR_BUFFER_BIT);
    if (area.width > 0) {
      // The window counts its rows from the bottom.
      const int bottom = areaHeight - area.y - area.height;
      blitFramebuffer(0, 0, surface.width, surface.height, area.x, bottom, area.x + area.width,
                      bottom + area.height, GL_COLOR_BUFFER_BIT,
                      area.whole ? GL_NEAREST : GL_LINEAR);
    }
    platform::swapBuffers(renderer.window);
  }
  copyCorner(back, 0);
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
  glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
  if (scissor) glEnable(GL_SCISSOR_TEST);

  if (areaWidth == surface.areaWidth && areaHeight == surface.areaHeight) return;
  surface.areaWidth = areaWidth;
  surface.areaHeight = areaHeight;
  char line[160];
  std::snprintf(line, sizeof line, "scaled window %dx%d shows %dx%d at %dx%d+%d+%d, %s\n",
                areaWidth, areaHeight, surface.width, surface.height, area.width, area.height,
                area.x, area.y, area.whole ? "sharp" : "smooth");
  logLine(line);
}

// The frame's copy takes the drawing size (the window's client size) when
// that changed.
void followClientSize(OpenGLRainbows& renderer) {
  const platform::Rect client = platform::clientRect(renderer.window);
  if (client.width() == surface.width && client.height() == surface.height) return;
  if (!allocate(client.width(), client.height()))
    logLine("scaled window: the frame's copy cannot take the new size\n");
  surface.areaWidth = surface.areaHeight = -1;  // the next presentation reports itself
}

}  // namespace

bool beginScaledSurface(OpenGLRainbows& renderer) {
  release();
  const std::string extensions = extensionString();
  if (!fboSupported || !containsWord(extensions.c_str(), "GL_EXT_framebuffer_object")) {
    logRefusal("no framebuffer objects");
    return false;
  }
  if (!containsWord(extensions.c_str(), "GL_EXT_framebuffer_blit")) {
    logRefusal("no framebuffer blits");
    return false;
  }
  blitFramebuffer =
      reinterpret_cast<PFNGLBLITFRAMEBUFFEREXTPROC>(platform::getProcAddress("glBlitFramebufferEXT"));
  if (!blitFramebuffer) {
    logRefusal("no framebuffer blits");
    return false;
  }
  glGenFramebuffersEXT(1, &surface.shown);
  glGenRenderbuffersEXT(1, &surface.shownColour);
  glGenFramebuffersEXT(1, &surface.held);
  glGenRenderbuffersEXT(1, &surface.heldColour);
  const platform::Rect client = platform::clientRect(renderer.window);
  if (!allocate(client.width(), client.height())) {
    release();
    logRefusal("the frame's copy cannot be made");
    return false;
  }
  surface.active = true;
  char line[96];
  std::snprintf(line, sizeof line, "scaled window: drawing %dx%d, shown scaled\n", surface.width,
                surface.height);
  logLine(line);
  return true;
}

bool scaledSurfaceActive() { return surface.active; }

bool presentScaledFrame(OpenGLRainbows& renderer) {
  if (!surface.active) return false;
  followClientSize(renderer);
  keepDrawing(surface.shown);
  showInWindow(renderer, surface.shown);
  platform::takeRepaintRequest(renderer.window);  // shown just now
  return true;
}

void presentAgainIfStale(OpenGLRainbows& renderer) {
  if (!surface.active) return;
  if (!platform::takeRepaintRequest(renderer.window)) return;
  // The program may be halfway through its next frame: that is kept aside
  // and put back.
  keepDrawing(surface.held);
  showInWindow(renderer, surface.held);
}

void forgetScaledSurface() { surface = Surface{}; }

}  // namespace mvn
