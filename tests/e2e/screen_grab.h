// Fast reads of what the display shows: a rectangle of the root window as
// packed 0xRRGGBB pixels, in a millisecond or two, so that a test can watch a
// game change from frame to frame. Xlib is loaded at run time, so that the
// tests link nothing but the runtime.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>

#include <cstdint>
#include <vector>

namespace quadrivolant_test {

class ScreenGrab {
 public:
  ScreenGrab() {
    xlib_ = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    if (!xlib_) return;
    auto openDisplay = reinterpret_cast<Display* (*)(const char*)>(dlsym(xlib_, "XOpenDisplay"));
    rootWindow_ = reinterpret_cast<Window (*)(Display*)>(dlsym(xlib_, "XDefaultRootWindow"));
    getImage_ = reinterpret_cast<XImage* (*)(Display*, Drawable, int, int, unsigned, unsigned,
                                             unsigned long, int)>(dlsym(xlib_, "XGetImage"));
    closeDisplay_ = reinterpret_cast<int (*)(Display*)>(dlsym(xlib_, "XCloseDisplay"));
    if (openDisplay && rootWindow_ && getImage_ && closeDisplay_) display_ = openDisplay(nullptr);
  }
  ~ScreenGrab() {
    if (display_) closeDisplay_(display_);
    if (xlib_) dlclose(xlib_);
  }
  ScreenGrab(const ScreenGrab&) = delete;
  ScreenGrab& operator=(const ScreenGrab&) = delete;

  bool ready() const { return display_ != nullptr; }

  // The pixels of the screen rectangle, row by row; empty when it cannot be read.
  std::vector<uint32_t> grab(int x, int y, int width, int height) const {
    std::vector<uint32_t> pixels;
    if (!display_) return pixels;
    XImage* image = getImage_(display_, rootWindow_(display_), x, y, width, height, AllPlanes, ZPixmap);
    if (!image) return pixels;
    pixels.reserve(static_cast<size_t>(width) * height);
    for (int row = 0; row < height; ++row) {
      for (int column = 0; column < width; ++column) {
        pixels.push_back(static_cast<uint32_t>(XGetPixel(image, column, row)) & 0xFFFFFF);
      }
    }
    XDestroyImage(image);
    return pixels;
  }

 private:
  void* xlib_ = nullptr;
  Display* display_ = nullptr;
  Window (*rootWindow_)(Display*) = nullptr;
  XImage* (*getImage_)(Display*, Drawable, int, int, unsigned, unsigned, unsigned long, int) = nullptr;
  int (*closeDisplay_)(Display*) = nullptr;
};

}  // namespace quadrivolant_test
