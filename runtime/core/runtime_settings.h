// The settings record the program fills before start-up, and the other
// globals of the start-up sequence.
#pragma once

#include <cstdint>
#include <string>

namespace mvn {

struct RuntimeSettings {
  int32_t screenWidth = 0;     // drawing surface, pixels
  int32_t screenHeight = 0;
  int32_t fullScreen = 0;      // 1: the display mode takes the drawing size
  int32_t exclusiveMouse = 0;  // 1: mouse acquired exclusively, pointer hidden at start
  int32_t frameRate = 0;       // frames per second held by the frame presenter
  int32_t debugMode = 0;       // 1: focus loss does not pause; the end logs its line
  int32_t multisample = 0;     // non-zero: try a multisampled pixel format
  std::string appName;         // the window title
  int32_t desktopWidth = 0;    // written by context creation
  int32_t desktopHeight = 0;
};

extern RuntimeSettings runtimeSettings;

// The process's whole command line, program name included.
extern std::string commandLine;
// The base window title: appName as it was when the window got its title.
extern std::string windowTitle;
// The font text output uses.
extern int32_t currentFontIndex;

}  // namespace mvn
