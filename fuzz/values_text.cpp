// Text from outside through the runtime's text parsing and building: number
// parsing, hexadecimal both ways, search and replace, formatting.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/values/rt_string.h"
#include "runtime/values/text_commands.h"
#include "runtime/values/text_format.h"

using namespace mvn;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  const char* text = input.c_str();  // up to the first zero byte

  int asInt = textToInt(text);
  std::int64_t asInt64 = textToInt64(text);
  double asDouble = textToDouble(text);
  if (RtString(asInt).length != numberTextLength(asInt)) std::abort();
  RtString numbers = RtString(asInt) + " " + asInt64 + " " + asDouble;
  if (numbers.length >= 64 + 40) std::abort();

  RtString hex = hexFromText(text, size % 2 == 0);
  RtString back = bytesFromHex(hex.c_str());
  if (std::strcmp(back.c_str(), text) != 0) std::abort();
  bytesFromHex(text);
  percentEncode(text);

  // The first line is what to look for, the second what to put instead.
  size_t cut = input.find('\n');
  std::string what = cut == std::string::npos ? input : input.substr(0, cut);
  std::string with = cut == std::string::npos ? "" : input.substr(cut + 1);
  RtString replaced = replaceAll(text, what.c_str(), with.c_str());
  int at = findText(text, what.c_str(), static_cast<int>(size % 7) - 2);
  int last = findTextBackward(text, what.c_str(), static_cast<int>(size) - 3);
  for (int found : {at, last}) {
    if (found >= 0 && std::strncmp(text + found, what.c_str(), std::strlen(what.c_str())) != 0) std::abort();
  }
  findAnyOf(text, with.c_str(), static_cast<int>(size % 5));

  RtString self(text);
  self.append(self);
  self.assign(self.c_str() + self.length / 3);
  self.append(self.c_str() + self.length / 2);

  double width = size > 0 ? static_cast<double>(static_cast<std::int8_t>(data[0])) * 20 : 0;
  double decimals = size > 1 ? static_cast<double>(data[1]) : 2;
  for (const RtString& formatted : {formatFixed(width, decimals, asDouble), formatInt(width, asInt),
                                    formatInt64(width, asInt64)}) {
    if (formatted.length > kFormatLimit) std::abort();
  }
  return 0;
}
