#include "runtime/platform/path_names.h"

namespace mvn::platform {

namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

bool isDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool isAbsolutePath(std::string_view name, PathRules rules) {
  if (rules == PathRules::Posix) return !name.empty() && isSeparator(name.front());
  if (name.size() >= 3 && isDriveLetter(name[0]) && name[1] == ':' && isSeparator(name[2]))
    return true;
  return name.size() >= 2 && isSeparator(name[0]) && isSeparator(name[1]);  // UNC
}

bool samePathName(std::string_view a, std::string_view b, PathRules rules) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (isSeparator(a[i]) && isSeparator(b[i])) continue;
    const bool same = rules == PathRules::Windows ? folded(a[i]) == folded(b[i]) : a[i] == b[i];
    if (!same) return false;
  }
  return true;
}

}  // namespace mvn::platform
