// Notices to the person at the screen.
#pragma once

namespace mvn::platform {

constexpr unsigned kIconExclamation = 0x30;  // MB_ICONEXCLAMATION

// A modal message box without owner; caption and text in the system code
// page (Windows-1252). Blocks until it is answered.
void messageBox(const char* caption, const char* text, unsigned icon);
void messageBeep(unsigned icon);

}  // namespace mvn::platform
