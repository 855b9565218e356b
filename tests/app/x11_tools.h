// Small helpers for window tests: run a command and read its output, and the
// geometry of a window as the X server sees it.
#pragma once

#include <X11/Xlib.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace mvn::testing {

inline std::string commandOutput(const std::string& command) {
  std::string out;
  if (std::FILE* p = popen(command.c_str(), "r")) {
    char buffer[512];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) out.append(buffer, n);
    pclose(p);
  }
  return out;
}

struct XGeometry {
  int x = -1, y = -1, width = -1, height = -1;
};

// The X id of the window whose title is `title` ("" when there is none).
inline std::string windowId(const std::string& title) {
  std::string id = commandOutput("xdotool search --name '^" + title + "$' 2>/dev/null | head -n 1");
  while (!id.empty() && (id.back() == '\n' || id.back() == ' ')) id.pop_back();
  return id;
}

// The client area of the window titled `title`, from xwininfo.
inline XGeometry windowGeometry(const std::string& title) {
  const std::string id = windowId(title);
  if (id.empty()) return {};
  const std::string info = commandOutput("xwininfo -id " + id + " 2>/dev/null");
  auto field = [&](const char* name) {
    const size_t at = info.find(name);
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + std::string(name).size());
  };
  return {field("Absolute upper-left X:"), field("Absolute upper-left Y:"), field("Width:"),
          field("Height:")};
}

// What the close button of a window manager does: a WM_DELETE_WINDOW client
// message to the window. Xlib is loaded at run time, so that the tests link
// nothing but the runtime.
inline bool sendDeleteWindow(const std::string& windowId) {
  void* xlib = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
  if (!xlib) return false;
  auto openDisplay = reinterpret_cast<Display* (*)(const char*)>(dlsym(xlib, "XOpenDisplay"));
  auto internAtom =
      reinterpret_cast<Atom (*)(Display*, const char*, Bool)>(dlsym(xlib, "XInternAtom"));
  auto sendEvent = reinterpret_cast<Status (*)(Display*, Window, Bool, long, XEvent*)>(
      dlsym(xlib, "XSendEvent"));
  auto flush = reinterpret_cast<int (*)(Display*)>(dlsym(xlib, "XFlush"));
  auto closeDisplay = reinterpret_cast<int (*)(Display*)>(dlsym(xlib, "XCloseDisplay"));
  bool sent = false;
  if (openDisplay && internAtom && sendEvent && flush && closeDisplay) {
    if (Display* display = openDisplay(nullptr)) {
      XEvent event{};
      event.xclient.type = ClientMessage;
      event.xclient.window = std::strtoul(windowId.c_str(), nullptr, 10);
      event.xclient.message_type = internAtom(display, "WM_PROTOCOLS", False);
      event.xclient.format = 32;
      event.xclient.data.l[0] = static_cast<long>(internAtom(display, "WM_DELETE_WINDOW", False));
      event.xclient.data.l[1] = CurrentTime;
      sent = sendEvent(display, event.xclient.window, False, NoEventMask, &event) != 0;
      flush(display);
      closeDisplay(display);
    }
  }
  dlclose(xlib);
  return sent;
}

// The root window's id (decimal), for taking the focus away from a window.
inline std::string rootWindowId() {
  const std::string info = commandOutput("xwininfo -root 2>/dev/null");
  const size_t at = info.find("Window id: ");
  if (at == std::string::npos) return "";
  return std::to_string(std::strtoul(info.c_str() + at + 11, nullptr, 16));
}

}  // namespace mvn::testing
