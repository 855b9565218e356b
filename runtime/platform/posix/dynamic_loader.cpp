// The dynamic loader on POSIX: dlopen.
#include "runtime/platform/dynamic_loader.h"

#include <dlfcn.h>

namespace mvn::platform {

void* openModule(const char* name) { return dlopen(name, RTLD_NOW | RTLD_LOCAL); }
void* moduleSymbol(void* module, const char* name) { return dlsym(module, name); }
void closeModule(void* module) { dlclose(module); }

}  // namespace mvn::platform
