// OpenGL contexts on the windows of the layer: pixel formats, contexts,
// buffer swap and entry points by name.
#pragma once

#include <cstdint>

#include "runtime/platform/window.h"

namespace mvn::platform {

struct GLContext;
using GLContextHandle = GLContext*;

constexpr uint32_t kPixelFormatDoubleBuffer = 0x01;  // PFD_DOUBLEBUFFER
constexpr uint32_t kPixelFormatDrawToWindow = 0x04;  // PFD_DRAW_TO_WINDOW
constexpr uint32_t kPixelFormatSupportOpenGL = 0x20;  // PFD_SUPPORT_OPENGL
constexpr uint32_t kPixelFormatGeneric = 0x40;  // PFD_GENERIC_FORMAT
constexpr uint32_t kPixelFormatSupportComposition = 0x8000;  // PFD_SUPPORT_COMPOSITION

struct PixelFormat {
  uint32_t flags = 0;
  int colourBits = 0;
  int alphaBits = 0;
  int depthBits = 0;
  int stencilBits = 0;
  int samples = 0;  // 0: not multisampled
};

// Every window is created with the standard format (RGBA with 8 bits each,
// depth 24, stencil 8, double-buffered): format 1. Multisampled formats are
// numbered 0x100 + samples.
constexpr int kStandardPixelFormat = 1;
constexpr int kMultisampleFormatBase = 0x100;

int choosePixelFormat(WindowHandle window, const PixelFormat& request);
// Sets the window's format; a window whose format changes is built anew by the
// layer (same handle, title, place and size). False when that fails; the
// window then keeps the standard format.
bool setPixelFormat(WindowHandle window, int format);
// The format as granted; kPixelFormatGeneric marks a software renderer.
bool describePixelFormat(WindowHandle window, int format, PixelFormat& description);

GLContextHandle createGLContext(WindowHandle window);
// Makes context current on the window; a null context detaches.
bool makeCurrent(WindowHandle window, GLContextHandle context);
void deleteGLContext(GLContextHandle context);
void swapBuffers(WindowHandle window);

// An OpenGL or window-system entry point by name. The OpenGL look-up never
// says whether the function exists: test the extension first.
void* getProcAddress(const char* name);
// Window-system extensions of the layer, blank-separated: "WGL_EXT_swap_control"
// when the swap interval can be set, "WGL_ARB_multisample" and
// "WGL_ARB_pixel_format" when multisampled formats exist.
const char* windowSystemExtensions();
// A recognised software rasteriser's renderer name.
bool isSoftwareRenderer(const char* rendererName);

}  // namespace mvn::platform
