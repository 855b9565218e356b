// The message queue: window events as messages with their Win32 numbers,
// looked at, removed, translated and dispatched to the window procedure.
#pragma once

#include <cstdint>

#include "runtime/platform/window.h"

namespace mvn::platform {

constexpr uint32_t kMessageMove = 0x0003;  // WM_MOVE: lParam: the client area's new top-left on the screen
constexpr uint32_t kMessageActivate = 0x0006;  // WM_ACTIVATE
constexpr uint32_t kMessageClose = 0x0010;  // WM_CLOSE
constexpr uint32_t kMessageQuit = 0x0012;  // WM_QUIT
constexpr uint32_t kMessageEraseBackground = 0x0014;  // WM_ERASEBKGND
constexpr uint32_t kMessageKeyDown = 0x0100;  // WM_KEYDOWN
constexpr uint32_t kMessageKeyUp = 0x0101;  // WM_KEYUP
constexpr uint32_t kMessageChar = 0x0102;  // WM_CHAR
constexpr uint32_t kMessageSysKeyDown = 0x0104;  // WM_SYSKEYDOWN
constexpr uint32_t kMessageSysKeyUp = 0x0105;  // WM_SYSKEYUP
constexpr uint32_t kMessageSysCommand = 0x0112;  // WM_SYSCOMMAND
constexpr uint32_t kMessageMouseMove = 0x0200;  // WM_MOUSEMOVE
constexpr uint32_t kMessageLeftButtonDown = 0x0201;  // WM_LBUTTONDOWN
constexpr uint32_t kMessageLeftButtonUp = 0x0202;  // WM_LBUTTONUP
constexpr uint32_t kMessageRightButtonDown = 0x0204;  // WM_RBUTTONDOWN
constexpr uint32_t kMessageRightButtonUp = 0x0205;  // WM_RBUTTONUP
constexpr uint32_t kMessageMiddleButtonDown = 0x0207;  // WM_MBUTTONDOWN
constexpr uint32_t kMessageMiddleButtonUp = 0x0208;  // WM_MBUTTONUP
constexpr uint32_t kMessageMouseWheel = 0x020A;  // WM_MOUSEWHEEL
constexpr uint32_t kMessagePointerUpdate = 0x0245;  // WM_POINTERUPDATE
constexpr uint32_t kMessagePointerDown = 0x0246;  // WM_POINTERDOWN
constexpr uint32_t kMessagePointerUp = 0x0247;  // WM_POINTERUP

// kMessageActivate's low word.
constexpr uint32_t kActivateInactive = 0;  // WA_INACTIVE
constexpr uint32_t kActivateActive = 1;  // WA_ACTIVE
constexpr uint32_t kActivateClickActive = 2;  // WA_CLICKACTIVE

// kMessageSysCommand's wParam & 0xFFF0.
constexpr uint32_t kSysCommandClose = 0xF060;  // SC_CLOSE
constexpr uint32_t kSysCommandScreenSave = 0xF140;  // SC_SCREENSAVE
constexpr uint32_t kSysCommandMonitorPower = 0xF170;  // SC_MONITORPOWER

// Virtual-key codes of kMessageKeyDown / kMessageKeyUp the runtime names.
constexpr uint32_t kVirtualKeyBack = 0x08;  // VK_BACK
constexpr uint32_t kVirtualKeyTab = 0x09;  // VK_TAB
constexpr uint32_t kVirtualKeyReturn = 0x0D;  // VK_RETURN
constexpr uint32_t kVirtualKeyEscape = 0x1B;  // VK_ESCAPE
constexpr uint32_t kVirtualKeyF11 = 0x7A;  // VK_F11

struct Message {
  WindowHandle window = nullptr;  // null: a message of the thread (kMessageQuit)
  uint32_t message = 0;
  uintptr_t wParam = 0;
  intptr_t lParam = 0;
};

// Looks at the next message of window (every window when null), removing it
// when remove is true. False when none is queued.
bool peekMessage(Message& message, WindowHandle window, bool remove);
// Blocks until a new message is queued.
void waitMessage();
// A key-down of Enter, Backspace, Tab or Escape queues its character message;
// the other characters arrive as character messages of their own.
void translateMessage(const Message& message);
// Hands a message to its window's procedure and returns its result.
intptr_t dispatchMessage(const Message& message);
// Calls the window's procedure at once.
intptr_t sendMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
// Queues a message for the window.
void postMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
void postQuitMessage(int exitCode);
// The default handling: kMessageSysCommand with kSysCommandClose sends kMessageClose; everything
// else is accepted with result 0.
intptr_t defWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

}  // namespace mvn::platform
