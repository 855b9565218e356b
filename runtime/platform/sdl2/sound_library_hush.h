// Keeps the system's sound library (ALSA) from printing its own error lines
// while SDL probes the sound drivers: on a machine without a sound device the
// probe fails, as expected, and the library would otherwise put its reasons
// on standard error at every start. Needs nothing at build time: the library
// is looked up with the dynamic loader and, where it is missing, nothing is done.
#pragma once

namespace mvn::platform {

class SoundLibraryHush {
 public:
  SoundLibraryHush();   // the library's errors go nowhere from here on
  ~SoundLibraryHush();  // and back to where they went before
  SoundLibraryHush(const SoundLibraryHush&) = delete;
  SoundLibraryHush& operator=(const SoundLibraryHush&) = delete;

 private:
  void* library_ = nullptr;
  void* setHandler_ = nullptr;
  void* previous_ = nullptr;
};

}  // namespace mvn::platform
