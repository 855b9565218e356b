// How path names are read on each kind of system: which names are absolute
// and when two spellings name the same directory. Pure text rules, so both
// kinds can be checked on any machine.
#pragma once

#include <string_view>

namespace mvn::platform {

enum class PathRules {
  Posix,    // "/" separates; absolute from "/"; letter case matters
  Windows,  // "/" and "\" separate; absolute with a drive ("C:\") or a UNC
            // prefix ("\\server\share"); letter case is ignored
};

#ifdef _WIN32
constexpr PathRules kHostPathRules = PathRules::Windows;
#else
constexpr PathRules kHostPathRules = PathRules::Posix;
#endif

// True when name does not depend on the current directory. Under the Windows
// rules a drive without a separator ("C:dir") and a root without a drive
// ("\dir") are relative to the current directory of a drive: not absolute.
bool isAbsolutePath(std::string_view name, PathRules rules = kHostPathRules);

// True when a and b spell the same path: under the Windows rules "/" and "\"
// are alike and letter case (ASCII) is ignored; under the POSIX rules the
// text must match, "\" and "/" alike as everywhere in the runtime.
bool samePathName(std::string_view a, std::string_view b, PathRules rules = kHostPathRules);

}  // namespace mvn::platform
