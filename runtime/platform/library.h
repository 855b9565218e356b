// Functions looked up by name at run time. The names of "user32.dll" (any
// letter case) are served from a table built into the layer; other modules go
// to the dynamic loader.
#pragma once

namespace mvn::platform {

struct Library;
using LibraryHandle = Library*;

LibraryHandle loadLibrary(const char* name);  // null when missing
void* findLibraryFunction(LibraryHandle library, const char* name);  // null when missing
void freeLibrary(LibraryHandle library);

}  // namespace mvn::platform
