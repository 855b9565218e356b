// The process id, from POSIX, and unpredictable numbers from the system.
#include "runtime/platform/process.h"

#include <unistd.h>

#include <random>

namespace mvn::platform {

unsigned processId() { return static_cast<unsigned>(::getpid()); }

unsigned randomNumber() {
  static std::random_device device;
  return static_cast<unsigned>(device());
}

}  // namespace mvn::platform
