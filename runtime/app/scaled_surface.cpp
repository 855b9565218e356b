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

// Two framebuffer objects: the one the program draws into, and a copy of the
// last presented frame, which stays to be shown again when the window changes
// while the program does not present (paused, say) after the drawing one has
// been cleared for the next frame.
struct Surface {
  bool active = false;
  int width = 0, height = 0;
  GLuint drawing = 0, drawingColour = 0, drawingDepth = 0;
  GLuint shown = 0, shownColour = 0;
  int areaWidth = -1, areaHeight = -1;  // the window's pixels at the last presentation
};

Surface surface;
PFNGLBLITFRAMEBUFFEREXTPROC blitFramebuffer = nullptr;
bool packedDepthStencil = false;

bool allocate(int width, int height) {
  glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, surface.drawingColour);
  glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_RGBA8, width, height);
  glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, surface.drawingDepth);
  glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT,
                           packedDepthStencil ? GL_DEPTH24_STENCIL8_EXT : GL_DEPTH_COMPONENT24,
                           width, height);
  glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, surface.shownColour);
  glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_RGBA8, width, height);
  glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, 0);

  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, surface.shown);
  glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_RENDERBUFFER_EXT,
                               surface.shownColour);
  bool complete = glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) == GL_FRAMEBUFFER_COMPLETE_EXT;
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, surface.drawing);
  glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_RENDERBUFFER_EXT,
                               surface.drawingColour);
  glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                               surface.drawingDepth);
  if (packedDepthStencil)
    glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_STENCIL_ATTACHMENT_EXT,
                                 GL_RENDERBUFFER_EXT, surface.drawingDepth);
  complete = complete &&
             glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) == GL_FRAMEBUFFER_COMPLETE_EXT;
  surface.width = width;
  surface.height = height;
  // New buffers start as a window's new buffers do: all zero.
  const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
  GLfloat clearColour[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
  glDisable(GL_SCISSOR_TEST);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, surface.shown);
  glClear(GL_COLOR_BUFFER_BIT);
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, surface.drawing);
  glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
  if (scissor) glEnable(GL_SCISSOR_TEST);
  return complete;
}

void release() {
  if (surface.drawing) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    const GLuint framebuffers[] = {surface.drawing, surface.shown};
    glDeleteFramebuffersEXT(2, framebuffers);
    const GLuint renderbuffers[] = {surface.drawingColour, surface.drawingDepth,
                                    surface.shownColour};
    glDeleteRenderbuffersEXT(3, renderbuffers);
  }
  surface = Surface{};
}

void logRefusal(const char* reason) {
  char line[160];
  std::snprintf(line, sizeof line, "scaled window: %s; the window keeps the drawing size\n",
                reason);
  logLine(line);
}

// Shows the copy of the last frame in the window's back buffer, the bars
// black. The program's scissor and clear colour are kept.
void showInWindow(OpenGLRainbows& renderer) {
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
  glClear(GL_COLOR_BUFFER_BIT);
  if (area.width > 0) {
    // The window counts its rows from the bottom.
    const int bottom = areaHeight - area.y - area.height;
    blitFramebuffer(0, 0, surface.width, surface.height, area.x, bottom, area.x + area.width,
                    bottom + area.height, GL_COLOR_BUFFER_BIT,
                    area.whole ? GL_NEAREST : GL_LINEAR);
  }
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, surface.drawing);
  glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
  if (scissor) glEnable(GL_SCISSOR_TEST);
  platform::swapBuffers(renderer.window);

  if (areaWidth == surface.areaWidth && areaHeight == surface.areaHeight) return;
  surface.areaWidth = areaWidth;
  surface.areaHeight = areaHeight;
  char line[160];
  std::snprintf(line, sizeof line, "scaled window %dx%d shows %dx%d at %dx%d+%d+%d, %s\n",
                areaWidth, areaHeight, surface.width, surface.height, area.width, area.height,
                area.x, area.y, area.whole ? "sharp" : "smooth");
  logLine(line);
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
  packedDepthStencil = containsWord(extensions.c_str(), "GL_EXT_packed_depth_stencil");
  glGenFramebuffersEXT(1, &surface.drawing);
  glGenFramebuffersEXT(1, &surface.shown);
  glGenRenderbuffersEXT(1, &surface.drawingColour);
  glGenRenderbuffersEXT(1, &surface.drawingDepth);
  glGenRenderbuffersEXT(1, &surface.shownColour);
  const platform::Rect client = platform::clientRect(renderer.window);
  if (!allocate(client.width(), client.height())) {
    release();
    logRefusal("the drawing surface cannot be made");
    return false;
  }
  surface.active = true;
  char line[96];
  std::snprintf(line, sizeof line, "scaled window: drawing %dx%d into a surface of its own\n",
                surface.width, surface.height);
  logLine(line);
  return true;
}

bool scaledSurfaceActive() { return surface.active; }

namespace {

// The surface takes the window's client size after a presentation, as a
// window's buffers do here: a frame drawn while the size changes is drawn and
// read back at the old size, in the scaled window as in any other.
void followClientSize(OpenGLRainbows& renderer) {
  const platform::Rect client = platform::clientRect(renderer.window);
  if (client.width() == surface.width && client.height() == surface.height) return;
  if (!allocate(client.width(), client.height()))
    logLine("scaled window: the drawing surface cannot take the new size\n");
  surface.areaWidth = surface.areaHeight = -1;  // the next presentation reports itself
}

}  // namespace

bool presentScaledFrame(OpenGLRainbows& renderer) {
  if (!surface.active) return false;
  glBindFramebufferEXT(GL_READ_FRAMEBUFFER_EXT, surface.drawing);
  glBindFramebufferEXT(GL_DRAW_FRAMEBUFFER_EXT, surface.shown);
  const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
  glDisable(GL_SCISSOR_TEST);
  blitFramebuffer(0, 0, surface.width, surface.height, 0, 0, surface.width, surface.height,
                  GL_COLOR_BUFFER_BIT, GL_NEAREST);
  if (scissor) glEnable(GL_SCISSOR_TEST);
  showInWindow(renderer);
  platform::takeRepaintRequest(renderer.window);  // shown just now
  followClientSize(renderer);
  return true;
}

void presentAgainIfStale(OpenGLRainbows& renderer) {
  if (!surface.active) return;
  int areaWidth = 0, areaHeight = 0;
  platform::drawableSize(renderer.window, areaWidth, areaHeight);
  const bool resized = areaWidth != surface.areaWidth || areaHeight != surface.areaHeight;
  if (platform::takeRepaintRequest(renderer.window) || resized) showInWindow(renderer);
}

void forgetScaledSurface() { surface = Surface{}; }

}  // namespace mvn
