#include "runtime/platform/win32/wide_names.h"

#include <windows.h>

#include <cstring>

namespace mvn::platform::win32 {

namespace {

std::wstring convert(unsigned codePage, unsigned long flags, const char* text, int length) {
  const int n = MultiByteToWideChar(codePage, flags, text, length, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, flags, text, length, wide.data(), n);
  return wide;
}

}  // namespace

std::wstring wideText(const char* text) {
  if (!text || !*text) return std::wstring();
  const size_t size = std::strlen(text);
  if (size > 0x7fffffff) return std::wstring();
  const int length = static_cast<int>(size);
  std::wstring wide = convert(CP_UTF8, MB_ERR_INVALID_CHARS, text, length);
  if (wide.empty()) wide = convert(CP_ACP, 0, text, length);
  return wide;
}

std::wstring widePath(const char* name) {
  std::wstring path = wideText(name);
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

std::string utf8Text(const wchar_t* text, size_t length) {
  if (!text || length == 0 || length > 0x7fffffff) return std::string();
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                    nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out.data(), n, nullptr, nullptr);
  return out;
}

std::string utf8Text(const std::wstring& text) { return utf8Text(text.data(), text.size()); }

std::string utf8Path(const std::wstring& path) {
  std::string out = utf8Text(path);
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

}  // namespace mvn::platform::win32
