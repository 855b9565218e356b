#include "runtime/platform/gl_context.h"

#include <GL/gl.h>

#include <cstring>
#include <string>

#include "runtime/platform/sdl2/sdl_window.h"

namespace mvn::platform {

namespace {

// The window-system functions the layer provides itself, by their names.
constexpr int WGL_SAMPLE_BUFFERS_ARB = 0x2041;
constexpr int WGL_SAMPLES_ARB = 0x2042;

const char* APIENTRY getExtensionsString(void*) { return windowSystemExtensions(); }

int APIENTRY swapInterval(int interval) { return SDL_GL_SetSwapInterval(interval) == 0 ? 1 : 0; }

// Multisampled formats are named, not tried: setPixelFormat builds the window
// with them and falls back to the standard format when that fails.
int APIENTRY choosePixelFormatArb(void*, const int* attributes, const float*,
                                  unsigned maxFormats, int* formats, unsigned* count) {
  int sampleBuffers = 0, samples = 0;
  for (const int* a = attributes; a && a[0]; a += 2) {
    if (a[0] == WGL_SAMPLE_BUFFERS_ARB) sampleBuffers = a[1];
    if (a[0] == WGL_SAMPLES_ARB) samples = a[1];
  }
  if (count) *count = 0;
  if (!formats || maxFormats == 0 || !count) return 0;
  if (sampleBuffers == 0) {
    formats[0] = kStandardPixelFormat;
  } else if (samples == 0) {
    formats[0] = kMultisampleFormatBase + 4;  // any count will do: the usual one
  } else if (samples <= 16) {
    formats[0] = kMultisampleFormatBase + samples;
  } else {
    return 1;  // succeeded, no format
  }
  *count = 1;
  return 1;
}

bool swapControlAvailable() {
#ifdef __EMSCRIPTEN__
  return false;  // a browser paces its page itself
#else
  if (!SDL_GL_GetCurrentContext()) return false;
  // Setting the interval it already has tells whether it can be set at all.
  return SDL_GL_SetSwapInterval(SDL_GL_GetSwapInterval()) == 0;
#endif
}

}  // namespace

struct GLContext {
  SDL_GLContext sdl = nullptr;
};

int choosePixelFormat(WindowHandle, const PixelFormat&) { return kStandardPixelFormat; }

bool setPixelFormat(WindowHandle window, int format) {
  if (!isWindow(window)) return false;
  if (format == window->pixelFormat) return true;
  const int samples = format > kMultisampleFormatBase ? format - kMultisampleFormatBase : 0;
  if (samples > 0 && rebuildWindow(window, samples)) {
    window->pixelFormat = format;
    return true;
  }
  if (window->pixelFormat != kStandardPixelFormat) rebuildWindow(window, 0);
  window->pixelFormat = kStandardPixelFormat;
  return false;
}

bool describePixelFormat(WindowHandle window, int format, PixelFormat& d) {
  if (!isWindow(window) || format <= 0) return false;
  d = {};
  d.flags = kPixelFormatDrawToWindow | kPixelFormatSupportOpenGL | kPixelFormatDoubleBuffer | kPixelFormatSupportComposition;
  int value = 0;
  if (SDL_GL_GetCurrentContext()) {
    SDL_GL_GetAttribute(SDL_GL_RED_SIZE, &value);
    d.colourBits = 3 * value;
    SDL_GL_GetAttribute(SDL_GL_ALPHA_SIZE, &d.alphaBits);
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &d.depthBits);
    SDL_GL_GetAttribute(SDL_GL_STENCIL_SIZE, &d.stencilBits);
    SDL_GL_GetAttribute(SDL_GL_MULTISAMPLESAMPLES, &d.samples);
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (isSoftwareRenderer(renderer)) d.flags |= kPixelFormatGeneric;
  }
  return true;
}

GLContextHandle createGLContext(WindowHandle window) {
  if (!isWindow(window)) return nullptr;
  const int samples = window->pixelFormat > kMultisampleFormatBase
                          ? window->pixelFormat - kMultisampleFormatBase
                          : 0;
  setStandardAttributes(samples);
  SDL_GLContext sdl = SDL_GL_CreateContext(window->sdl);
  setStandardAttributes(0);
  if (!sdl) return nullptr;
  return new GLContext{sdl};
}

bool makeCurrent(WindowHandle window, GLContextHandle context) {
  if (!context) return SDL_GL_MakeCurrent(isWindow(window) ? window->sdl : nullptr, nullptr) == 0;
  if (!isWindow(window)) return false;
  return SDL_GL_MakeCurrent(window->sdl, context->sdl) == 0;
}

void deleteGLContext(GLContextHandle context) {
  if (!context) return;
  if (SDL_GL_GetCurrentContext() == context->sdl) SDL_GL_MakeCurrent(nullptr, nullptr);
  SDL_GL_DeleteContext(context->sdl);
  delete context;
}

void swapBuffers(WindowHandle window) {
  if (isWindow(window)) SDL_GL_SwapWindow(window->sdl);
}

void* getProcAddress(const char* name) {
  if (!name) return nullptr;
  if (std::strncmp(name, "wgl", 3) == 0) {
    if (std::strcmp(name, "wglGetExtensionsStringARB") == 0)
      return reinterpret_cast<void*>(&getExtensionsString);
    if (std::strcmp(name, "wglChoosePixelFormatARB") == 0)
      return reinterpret_cast<void*>(&choosePixelFormatArb);
    if (std::strcmp(name, "wglSwapIntervalEXT") == 0 && swapControlAvailable())
      return reinterpret_cast<void*>(&swapInterval);
    return nullptr;
  }
  if (!ensureVideo()) return nullptr;
  return SDL_GL_GetProcAddress(name);
}

const char* windowSystemExtensions() {
  static std::string names;
  names = "WGL_ARB_extensions_string WGL_ARB_pixel_format WGL_ARB_multisample";
  if (swapControlAvailable()) names += " WGL_EXT_swap_control";
  return names.c_str();
}

bool isSoftwareRenderer(const char* name) {
  if (!name) return false;
  static const char* const software[] = {"llvmpipe", "softpipe", "swrast", "Software Rasterizer",
                                         "Mesa X11", "Mesa Windows GDI Driver", "GDI Generic"};
  for (const char* s : software)
    if (std::strstr(name, s)) return true;
  return false;
}

}  // namespace mvn::platform
