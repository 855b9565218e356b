// Names at the Windows boundary: UTF-8 inside the runtime, UTF-16 for the
// system's wide functions.
#pragma once

#include <string>

namespace mvn::platform::win32 {

// The UTF-16 form of a UTF-8 text. Text that is not valid UTF-8 is read in the
// system's ANSI code page instead, so names written that way still open.
std::wstring wideText(const char* text);
// wideText of a file name with every "/" turned into "\".
std::wstring widePath(const char* name);
// The UTF-8 form of a UTF-16 text (unpaired surrogates become U+FFFD).
std::string utf8Text(const wchar_t* text, size_t length);
std::string utf8Text(const std::wstring& text);
// utf8Text with every "\" turned into "/".
std::string utf8Path(const std::wstring& path);

}  // namespace mvn::platform::win32
