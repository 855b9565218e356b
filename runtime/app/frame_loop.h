// The frame presenter: the program's heartbeat between two frames.
#pragma once

#include "morvane/program.h"

#include "morvane/program.h"

#include <cstdint>

namespace mvn {

class OpenGLRainbows;

using MessageCallback = void (*)();

// Counts frames; the pause sets it to 31 and waitForInput waits only while
// it is above 29.
extern int32_t frameCounter;
// Set by the debugger-break command: the next frame brings the window to the front.
extern int32_t frontRequest;

// -1: not looked up yet; 0: the program has no "MVN_WIN32_MSG"; 1: it has.
extern int32_t win32MsgLookup;
extern MessageCallback win32MsgCallback;


// Pause, mouse, quit keys, music, messages, swap and frame hold. Ends the
// program on its quit keys.
void presentFrame();
void resetFrameState();
// Dispatches the pending messages of the renderer's window; with wait, first
// blocks until one arrives. A callback runs before each message is removed.
bool pumpMessages(OpenGLRainbows& renderer, MessageCallback callback, bool wait);

// Swaps the buffers and holds the frame rate.
bool swapAndHold(OpenGLRainbows& renderer, MessageCallback callback);


}  // namespace mvn
