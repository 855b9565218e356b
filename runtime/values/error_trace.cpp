#include "runtime/values/error_trace.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <utility>

#include "runtime/values/errors.h"

namespace mvn {

bool tracingErrors() {
  static const bool on = [] {
    const char* value = std::getenv("MORVANE_TRACE_ERRORS");
    return value && *value && std::strcmp(value, "0") != 0;
  }();
  return on;
}

std::string traceArgument(const char* text) {
  return text ? "\"" + std::string(text) + "\"" : std::string("null");
}

std::string traceArgument(const std::string& text) { return "\"" + text + "\""; }

std::string traceArgument(double number) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", number);
  return text;
}

void traceErrorLine(const std::string& call, int code, const char* reason) {
  if (!tracingErrors()) return;
  // One write, so that the line stays whole among other output.
  const std::string line = call + ": error " + std::to_string(code) + ": " + reason + "\n";
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
}

void traceRefusal(const std::string& call, const char* reason) {
  if (!tracingErrors()) return;
  const std::string line = call + ": " + reason + "\n";
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
}

bool firstAtSite(const void* site, const std::string& reason) {
  static std::set<std::pair<const void*, std::string>> said;
  constexpr size_t kMostRemembered = 4096;  // a runaway program's sites stop being said, not memory
  if (said.size() >= kMostRemembered) return false;
  return said.insert({site, reason}).second;
}

int setErrorCode(int code) { return setError(code); }

}  // namespace mvn
