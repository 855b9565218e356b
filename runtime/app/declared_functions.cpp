#include "runtime/app/declared_functions.h"

#include <cctype>

#include "runtime/values/errors.h"
#include "runtime/core/log.h"
#include "runtime/app/window_procedure.h"
#include "runtime/platform/library.h"

namespace mvn {

namespace {

std::vector<DeclaredFunction>& registry() {
  static std::vector<DeclaredFunction> entries;
  return entries;
}

struct CachedModule {
  platform::LibraryHandle handle;
  std::string lowerName;
};

// The modules loaded so far; released at the process's exit.
struct ModuleCache {
  std::vector<CachedModule> modules;
  ~ModuleCache() {
    for (CachedModule& m : modules) platform::freeLibrary(m.handle);
  }
};

ModuleCache& moduleCache() {
  static ModuleCache cache;
  return cache;
}

std::string lowerCase(const std::string& text) {
  std::string lower = text;
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

void report(const std::string& message) {
  debugOutput(message.c_str());
  logLine((message + "\n").c_str());
}

// The runtime's own declarations: the pointer functions of the window procedure.
const bool pointerFunctionsDeclared = [] {
  declareFunction("user32.dll", "GetPointerTouchInfo", &GetPointerTouchInfo);
  declareFunction("User32.dll", "EnableMouseInPointer", &EnableMouseInPointer);
  return true;
}();

}  // namespace

void declareFunction(const char* moduleName, const char* functionName, void** variable) {
  *variable = nullptr;
  registry().push_back({moduleName ? moduleName : "", functionName ? functionName : "", variable});
}

const std::vector<DeclaredFunction>& declaredFunctions() { return registry(); }

void resolveDeclaredFunctions() {
  (void)pointerFunctionsDeclared;
  if (registry().empty()) return;
  logLine("Delay load DLLs\n");
  for (DeclaredFunction& entry : registry()) {
    const std::string lower = lowerCase(entry.moduleName);
    platform::LibraryHandle module = nullptr;
    for (const CachedModule& m : moduleCache().modules)
      if (m.lowerName == lower) module = m.handle;
    if (!module) {
      module = platform::loadLibrary(entry.moduleName.c_str());
      if (!module) {
        report("DECLARE module not found: " + entry.moduleName + "\n");
        continue;
      }
      moduleCache().modules.push_back({module, lower});
    }
    *entry.variable = platform::findLibraryFunction(module, entry.functionName.c_str());
    if (!*entry.variable) report("DECLARE entry not found: " + entry.functionName + "\n");
  }
}

}  // namespace mvn
