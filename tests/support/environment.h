// The test's own environment, changed the same way on every system: setenv
// and unsetenv where the C library has none, and the name of the variable
// that names the temporary directory.
#pragma once

#include <cstdlib>
#include <string>

#ifdef _WIN32
// The C runtime's copy and the process's own block change together, so a
// child process and the runtime's environment() both see the new value.
inline int setenv(const char* name, const char* value, int overwrite) {
  if (!overwrite && std::getenv(name)) return 0;
  if (!*value) return -1;  // an empty value would remove the variable
  return _putenv_s(name, value) == 0 ? 0 : -1;
}
inline int unsetenv(const char* name) { return _putenv_s(name, "") == 0 ? 0 : -1; }
#endif

namespace mvn::testing {

// The variable the system's temporary directory is read from first.
#ifdef _WIN32
inline const std::string kTemporaryVariable = "TMP";
#else
inline const std::string kTemporaryVariable = "TMPDIR";
#endif

}  // namespace mvn::testing
