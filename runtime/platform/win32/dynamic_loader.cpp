// The dynamic loader on Windows: LoadLibraryW with the module's wide name.
#include "runtime/platform/dynamic_loader.h"

#include <windows.h>

#include "runtime/platform/win32/wide_names.h"

namespace mvn::platform {

void* openModule(const char* name) {
  return reinterpret_cast<void*>(LoadLibraryW(win32::wideText(name).c_str()));
}

void* moduleSymbol(void* module, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void closeModule(void* module) { FreeLibrary(static_cast<HMODULE>(module)); }

}  // namespace mvn::platform
