#include "runtime/platform/notice.h"

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define STDERR_FILENO 2
#else
#include <unistd.h>
#endif

#include <cstdio>
#include <string>

#include "runtime/platform/sdl2/sdl_window.h"

namespace mvn::platform {

namespace {

// Windows-1252 text to UTF-8 (the bytes 0x80-0x9F that name no character
// become '?').
std::string toUtf8(const char* text) {
  static const uint16_t high[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  std::string out;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text ? text : ""); *p; ++p) {
    uint32_t c = *p;
    if (c >= 0x80 && c < 0xA0) c = high[c - 0x80] ? high[c - 0x80] : '?';
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace

void messageBox(const char* caption, const char* text, unsigned icon) {
  const Uint32 kind =
      icon == kIconExclamation ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION;
  SDL_ShowSimpleMessageBox(kind, toUtf8(caption).c_str(), toUtf8(text).c_str(), nullptr);
}

void messageBeep(unsigned) {
  // The terminal's bell, when there is a terminal to ring.
  if (isatty(STDERR_FILENO)) {
    std::fputc('\a', stderr);
    std::fflush(stderr);
  }
}

}  // namespace mvn::platform
