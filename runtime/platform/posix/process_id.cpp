// The process id, from POSIX.
#include "runtime/platform/process.h"

#include <unistd.h>

namespace mvn::platform {

unsigned processId() { return static_cast<unsigned>(::getpid()); }

}  // namespace mvn::platform
