// The system's dynamic loader, under the run-time look-up of library.h.
#pragma once

namespace mvn::platform {

// A loaded module by name; null when it cannot be loaded.
void* openModule(const char* name);
// A function or variable of the module by name; null when missing.
void* moduleSymbol(void* module, const char* name);
void closeModule(void* module);

}  // namespace mvn::platform
