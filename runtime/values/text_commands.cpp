#include "runtime/values/text_commands.h"

#include <cctype>
#include <climits>
#include <cwchar>
#include <string>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace mvn {

namespace {

const char* orEmpty(const char* text) { return text != nullptr ? text : ""; }

int lengthOf(const char* text) { return static_cast<int>(std::strlen(orEmpty(text))); }

template <typename Change>
RtString mapBytes(const char* text, Change change) {
  RtString result(orEmpty(text));
  for (int i = 0; i < result.length; ++i) {
    result.buffer[i] = static_cast<char>(change(static_cast<unsigned char>(result.buffer[i])));
  }
  return result;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

RtString upperCase(const char* text) { return mapBytes(text, [](int c) { return std::toupper(c); }); }

RtString lowerCase(const char* text) { return mapBytes(text, [](int c) { return std::tolower(c); }); }

int findText(const char* text, const char* what, int start) {
  text = orEmpty(text);
  int length = lengthOf(text);
  if (start < 0) start = 0;
  if (start > length) return -1;
  const char* found = std::strstr(text + start, orEmpty(what));
  return found != nullptr ? static_cast<int>(found - text) : -1;
}

int findTextBackward(const char* text, const char* what, int start) {
  text = orEmpty(text);
  what = orEmpty(what);
  int length = lengthOf(text);
  int k = lengthOf(what);
  if (start > length - k) start = length - k;
  for (int i = start; i >= 0; --i) {
    if (std::memcmp(text + i, what, static_cast<size_t>(k)) == 0) return i;
  }
  return -1;
}

int findAnyOf(const char* text, const char* set, int start) {
  text = orEmpty(text);
  if (start < 0) start = 0;
  if (start > lengthOf(text)) return -1;
  size_t skip = std::strcspn(text + start, orEmpty(set));
  return text[start + static_cast<int>(skip)] != 0 ? start + static_cast<int>(skip) : -1;
}

RtString replaceAll(const char* text, const char* what, const char* with) {
  text = orEmpty(text);
  int k = lengthOf(what);
  if (k == 0) return RtString(text);
  RtString result;
  const char* rest = text;
  for (const char* found; (found = std::strstr(rest, what)) != nullptr; rest = found + k) {
    result.appendBytes(rest, static_cast<int>(found - rest));
    result.append(with);
  }
  result.append(rest);
  return result;
}

RtString charFromCode(int code) {
  char c = static_cast<char>(code & 0xff);
  RtString result;
  if (c != 0) result.append(c);
  return result;
}

RtString hexFromBytes(const void* bytes, int count, bool upperCaseDigits) {
  const char* digits = upperCaseDigits ? "0123456789ABCDEF" : "0123456789abcdef";
  const auto* p = static_cast<const unsigned char*>(bytes);
  RtString result;
  if (p == nullptr || count <= 0 || count > RtString::kMaxLength / 2) return result;
  if (!result.reserve(count * 2, false)) return result;
  for (int i = 0; i < count; ++i) {
    result.buffer[2 * i] = digits[p[i] >> 4];
    result.buffer[2 * i + 1] = digits[p[i] & 15];
  }
  result.length = count * 2;
  result.buffer[result.length] = 0;
  return result;
}

RtString hexFromText(const char* text, bool upperCaseDigits) {
  return hexFromBytes(orEmpty(text), lengthOf(text), upperCaseDigits);
}

RtString bytesFromHex(const char* hex) {
  hex = orEmpty(hex);
  int pairs = 0;
  while (hexValue(hex[2 * pairs]) >= 0 && hexValue(hex[2 * pairs + 1]) >= 0) ++pairs;
  RtString result;
  if (pairs == 0 || !result.reserve(pairs, false)) return result;
  for (int i = 0; i < pairs; ++i) {
    result.buffer[i] = static_cast<char>(hexValue(hex[2 * i]) * 16 + hexValue(hex[2 * i + 1]));
  }
  result.length = pairs;
  result.buffer[pairs] = 0;
  return result;
}

RtString percentEncode(const char* text) {
  RtString result;
  for (const char* p = orEmpty(text); *p != 0; ++p) {
    auto c = static_cast<unsigned char>(*p);
    if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
      result.append(*p);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02x", c);
      result.append(escaped);
    }
  }
  return result;
}

std::wstring wideFromText(const char* text) {
  text = orEmpty(text);
  size_t n = std::mbstowcs(nullptr, text, 0);
  if (n != static_cast<size_t>(-1)) {
    // Exactly n characters: the string keeps its own terminator.
    std::wstring wide(n, L'\0');
    if (n > 0) std::mbstowcs(&wide[0], text, n);
    return wide;
  }
  std::wstring wide;
  for (const char* p = text; *p != 0; ++p) wide += static_cast<wchar_t>(static_cast<unsigned char>(*p));
  return wide;
}

RtString textFromWide(const wchar_t* text) {
  if (text == nullptr) return RtString();
  // Character by character: C libraries differ in what wcstombs reports for a
  // character the code page cannot spell (Windows' stops there and reports
  // success, losing the rest of the text).
  std::string converted;
  std::mbstate_t state{};
  char bytes[MB_LEN_MAX];
  bool whole = true;
  for (const wchar_t* p = text; *p != 0 && whole; ++p) {
    const size_t n = std::wcrtomb(bytes, *p, &state);
    whole = n != static_cast<size_t>(-1) &&
            converted.size() + n <= static_cast<size_t>(RtString::kMaxLength);
    if (whole) converted.append(bytes, n);
  }
  if (whole) {
    RtString result;
    const int n = static_cast<int>(converted.size());
    if (n > 0 && result.reserve(n, false)) {
      std::memcpy(result.buffer, converted.data(), converted.size());
      result.buffer[n] = '\0';
      result.recomputeLength();
    }
    return result;
  }
  RtString result;
  for (const wchar_t* p = text; *p != 0; ++p) {
    result.append(*p > 0 && *p < 256 ? static_cast<char>(*p) : '?');
  }
  return result;
}

}  // namespace mvn
