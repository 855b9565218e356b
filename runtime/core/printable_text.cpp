#include "runtime/core/printable_text.h"

#include <cstdio>

namespace mvn {

std::string printableText(const std::string& text, size_t limit) {
  std::string out;
  for (const char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    char piece[5] = {c, '\0'};
    if (byte == '\\') {
      piece[1] = '\\';
    } else if (byte < 0x20 || byte >= 0x7F) {
      std::snprintf(piece, sizeof piece, "\\x%02x", byte);
    }
    const std::string escaped(piece);
    if (out.size() + escaped.size() > limit) return out + "...";
    out += escaped;
  }
  return out;
}

}  // namespace mvn
