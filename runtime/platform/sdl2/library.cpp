// Run-time function look-up. "user32.dll" is a module of the layer itself:
// its two pointer functions work on the layer's own pointer messages.
#include "runtime/platform/library.h"

#include <cctype>
#include <cstring>
#include <string>

#include "runtime/platform/dynamic_loader.h"
#include "runtime/platform/pointer.h"
#include "runtime/platform/sdl2/sdl_window.h"

namespace mvn::platform {

namespace {

int enableMouseInPointer(int enable) {
  mouseInPointer = enable != 0;
  return 1;
}

int getPointerTouchInfo(uint32_t pointerId, PointerTouchInfo* info) {
  if (!info) return 0;
  return pointerInfo(pointerId, *info) ? 1 : 0;
}

struct BuiltinFunction {
  const char* name;
  void* address;
};

const BuiltinFunction user32Functions[] = {
    {"EnableMouseInPointer", reinterpret_cast<void*>(&enableMouseInPointer)},
    {"GetPointerTouchInfo", reinterpret_cast<void*>(&getPointerTouchInfo)},
};

bool isUser32(const char* name) {
  std::string lower(name);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower == "user32.dll" || lower == "user32";
}

}  // namespace

struct Library {
  void* handle = nullptr;  // null: the built-in user32 module
};

LibraryHandle loadLibrary(const char* name) {
  if (!name || !*name) return nullptr;
  if (isUser32(name)) return new Library{};
  void* handle = openModule(name);
  return handle ? new Library{handle} : nullptr;
}

void* findLibraryFunction(LibraryHandle library, const char* name) {
  if (!library || !name) return nullptr;
  if (!library->handle) {
    for (const BuiltinFunction& f : user32Functions)
      if (std::strcmp(f.name, name) == 0) return f.address;
    return nullptr;
  }
  return moduleSymbol(library->handle, name);
}

void freeLibrary(LibraryHandle library) {
  if (!library) return;
  if (library->handle) closeModule(library->handle);
  delete library;
}

}  // namespace mvn::platform
