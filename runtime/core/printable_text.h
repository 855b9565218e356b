// Text taken from a file, made fit to print: a name in a recording or an
// archive may hold any bytes, and a terminal acts on some of them.
#pragma once

#include <cstddef>
#include <string>

namespace mvn {

// The longest text printableText gives back before its cut mark.
constexpr size_t kLongestPrintable = 200;

// text with every byte outside printable ASCII (control bytes, DEL, bytes
// from 0x80 up) and the backslash written as \xNN and \\, cut to at most
// limit characters, with "..." after a cut.
std::string printableText(const std::string& text, size_t limit = kLongestPrintable);

}  // namespace mvn
