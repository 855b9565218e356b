// Small helpers for window tests: run a command and read its output, and the
// geometry of a window as the X server sees it.
#pragma once

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

}  // namespace mvn::testing
