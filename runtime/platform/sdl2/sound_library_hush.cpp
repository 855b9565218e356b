#include "runtime/platform/sdl2/sound_library_hush.h"

#if !defined(__EMSCRIPTEN__) && !defined(_WIN32)
#include <dlfcn.h>
#endif

namespace mvn::platform {

namespace {

// The library's error handler and its setter (alsa/error.h); a null handler
// stands for the library's own, which prints.
using ErrorHandler = void (*)(const char* file, int line, const char* function, int err, const char* format, ...);
using SetErrorHandler = int (*)(ErrorHandler handler);

[[maybe_unused]] void discardError(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

// A browser and Windows have no such library.
#if defined(__EMSCRIPTEN__) || defined(_WIN32)
SoundLibraryHush::SoundLibraryHush() {}
SoundLibraryHush::~SoundLibraryHush() {}
#else
SoundLibraryHush::SoundLibraryHush() {
  // Loading it here keeps it loaded while SDL loads and unloads it during the
  // probe, so that the handler set now is the one the probe meets.
  library_ = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
  if (!library_) return;
  setHandler_ = dlsym(library_, "snd_lib_error_set_handler");
  if (!setHandler_) return;
  if (auto* current = static_cast<ErrorHandler*>(dlsym(library_, "snd_lib_error")))
    previous_ = reinterpret_cast<void*>(*current);
  reinterpret_cast<SetErrorHandler>(setHandler_)(discardError);
}

SoundLibraryHush::~SoundLibraryHush() {
  if (setHandler_) reinterpret_cast<SetErrorHandler>(setHandler_)(reinterpret_cast<ErrorHandler>(previous_));
  if (library_) dlclose(library_);
}
#endif

}  // namespace mvn::platform
