// Text commands that build a new text from their arguments.
#pragma once

#include <string>

#include "runtime/values/rt_string.h"

namespace mvn {

RtString upperCase(const char* text);
RtString lowerCase(const char* text);

// Position of the first byte of the first occurrence of what at or after
// start, or -1. A start below 0 searches from the beginning.
int findText(const char* text, const char* what, int start);
// Position of the last occurrence of what that begins at or before start,
// or -1. A start beyond the end searches from the end.
int findTextBackward(const char* text, const char* what, int start);
// Position of the first character at or after start that is one of set, or -1.
int findAnyOf(const char* text, const char* set, int start);
// Every occurrence of what replaced by with, left to right; an empty what
// leaves the text as it is.
RtString replaceAll(const char* text, const char* what, const char* with);
// The one-character text of a code 1..255 (its low byte); the empty text for 0.
RtString charFromCode(int code);

// Two hexadecimal digits per byte, "0123456789ABCDEF" or "0123456789abcdef".
RtString hexFromBytes(const void* bytes, int count, bool upperCaseDigits);
RtString hexFromText(const char* text, bool upperCaseDigits);
// The bytes of pairs of hexadecimal digits (either case), up to the first
// pair that is not one; the result's length counts every byte, zeros too.
RtString bytesFromHex(const char* hex);
// Letters, digits and "-_.~" as they are, every other byte as "%xx".
RtString percentEncode(const char* text);

// 8-bit text to wide text and back for platform calls (the C library's
// multibyte conversion; what it cannot convert goes byte for code, so
// codes 1 to 255 survive the round trip, and larger codes become "?").
std::wstring wideFromText(const char* text);
RtString textFromWide(const wchar_t* text);

}  // namespace mvn
