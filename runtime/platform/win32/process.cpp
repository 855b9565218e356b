// The process on Windows: the command line and the environment in wide
// form, turned into UTF-8; the debugger from IsDebuggerPresent.
#include "runtime/platform/process.h"

#include <windows.h>

#include <cstdlib>
#include <map>
#include <mutex>
#include <random>
#include <string>

#include "runtime/platform/win32/wide_names.h"

namespace mvn::platform {

std::string commandLine() { return win32::utf8Text(std::wstring(GetCommandLineW())); }

bool startupShowCommand(int& showCommand) {
  const char* value = environment("MORVANE_SHOW_COMMAND");
  if (!value || !*value) return false;
  char* end = nullptr;
  const long parsed = std::strtol(value, &end, 10);
  if (*end != '\0') return false;
  showCommand = static_cast<int>(parsed);
  return true;
}

const char* environment(const char* name) {
  if (!name || !*name) return nullptr;
  const std::wstring wideName = win32::wideText(name);
  const DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  if (size == 0) return nullptr;
  std::wstring value(size, L'\0');
  const DWORD n = GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
  if (n >= size) return nullptr;
  value.resize(n);
  // The texts stay valid for the process's life, one per name, as getenv's do
  // until the variable changes.
  static std::mutex lock;
  static auto* values = new std::map<std::string, std::string>;
  std::lock_guard<std::mutex> guard(lock);
  std::string& kept = (*values)[name];
  const std::string text = win32::utf8Text(value);
  if (kept != text) kept = text;
  return kept.c_str();
}

bool debuggerPresent() { return IsDebuggerPresent() != 0; }

unsigned processId() { return static_cast<unsigned>(GetCurrentProcessId()); }

unsigned randomNumber() {
  static std::random_device device;
  return static_cast<unsigned>(device());
}

}  // namespace mvn::platform
