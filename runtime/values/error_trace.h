// What failed, in words: with MORVANE_TRACE_ERRORS=1 every error a command
// sets is also described on standard error in one line,
//   loadSprite("ball.png", 1): error 3: no such file on disk or in the archive
// the command as it was called, the code and the reason. Off by default; the
// error code and the "error:" line on standard output are the same either way.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>

namespace mvn {

// setError, named apart so that this header needs nothing else.
int setErrorCode(int code);

// True when MORVANE_TRACE_ERRORS is set to anything but "" or "0" (read once).
bool tracingErrors();

// A command's argument as it reads in a call: texts quoted (null as
// null), numbers as they were given.
std::string traceArgument(const char* text);
std::string traceArgument(const std::string& text);
std::string traceArgument(double number);
template <typename N, std::enable_if_t<std::is_integral_v<N>, int> = 0>
std::string traceArgument(N number) {
  return std::to_string(number);
}

// "command(a, b, c)".
template <typename... Args>
std::string traceCall(const char* command, const Args&... args) {
  std::string call = std::string(command) + "(";
  [[maybe_unused]] const char* separator = "";
  ((call += separator, call += traceArgument(args), separator = ", "), ...);
  return call + ")";
}

// Writes "call: error code: reason" on standard error when tracing.
void traceErrorLine(const std::string& call, int code, const char* reason);
// Writes "call: reason" on standard error when tracing (a refusal that sets
// no error code).
void traceRefusal(const std::string& call, const char* reason);

// The call site of the command this is used in, for traceNoEffect: the
// address it returns to while tracing, else null (never looked up). A browser
// build has no return addresses to offer: its sites are all one.
#if defined(__EMSCRIPTEN__)
#define MVN_CALL_SITE() static_cast<const void*>(nullptr)
#else
#define MVN_CALL_SITE() (::mvn::tracingErrors() ? __builtin_return_address(0) : static_cast<void*>(nullptr))
#endif

// True the first time a call site (the address a command returns to) asks
// with this reason: a command called every frame is described once.
bool firstAtSite(const void* site, const std::string& reason);

// "call: reason" on standard error when tracing, once per call site and
// reason: a command that silently does nothing because of its arguments
// (drawSprite(70000, 10, 10): draws nothing: slot outside 0..65536).
template <typename... Args>
void traceNoEffect(const void* site, const std::string& reason, const char* command, const Args&... args) {
  if (tracingErrors() && firstAtSite(site, reason)) traceRefusal(traceCall(command, args...), reason.c_str());
}

// setError(code), described when tracing. Returns code.
template <typename... Args>
int failWith(int code, const char* reason, const char* command, const Args&... args) {
  if (tracingErrors()) traceErrorLine(traceCall(command, args...), code, reason);
  return setErrorCode(code);
}

}  // namespace mvn
