// The message queue: window events as messages with their Win32 numbers,
// looked at, removed, translated and dispatched to the window procedure.
#pragma once

#include <cstdint>

#include "runtime/platform/window.h"

namespace mvn::platform {

constexpr uint32_t WM_MOVE = 0x0003;  // lParam: the client area's new top-left on the screen
constexpr uint32_t WM_ACTIVATE = 0x0006;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUIT = 0x0012;
constexpr uint32_t WM_ERASEBKGND = 0x0014;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_CHAR = 0x0102;
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr uint32_t WM_SYSKEYUP = 0x0105;
constexpr uint32_t WM_SYSCOMMAND = 0x0112;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_RBUTTONUP = 0x0205;
constexpr uint32_t WM_MBUTTONDOWN = 0x0207;
constexpr uint32_t WM_MBUTTONUP = 0x0208;
constexpr uint32_t WM_MOUSEWHEEL = 0x020A;
constexpr uint32_t WM_POINTERUPDATE = 0x0245;
constexpr uint32_t WM_POINTERDOWN = 0x0246;
constexpr uint32_t WM_POINTERUP = 0x0247;

// WM_ACTIVATE's low word.
constexpr uint32_t WA_INACTIVE = 0;
constexpr uint32_t WA_ACTIVE = 1;
constexpr uint32_t WA_CLICKACTIVE = 2;

// WM_SYSCOMMAND's wParam & 0xFFF0.
constexpr uint32_t SC_CLOSE = 0xF060;
constexpr uint32_t SC_SCREENSAVE = 0xF140;
constexpr uint32_t SC_MONITORPOWER = 0xF170;

// Virtual-key codes of WM_KEYDOWN / WM_KEYUP the runtime names.
constexpr uint32_t VK_BACK = 0x08;
constexpr uint32_t VK_TAB = 0x09;
constexpr uint32_t VK_RETURN = 0x0D;
constexpr uint32_t VK_ESCAPE = 0x1B;
constexpr uint32_t VK_F11 = 0x7A;

struct Message {
  WindowHandle window = nullptr;  // null: a message of the thread (WM_QUIT)
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
// The default handling: WM_SYSCOMMAND with SC_CLOSE sends WM_CLOSE; everything
// else is accepted with result 0.
intptr_t defWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

}  // namespace mvn::platform
