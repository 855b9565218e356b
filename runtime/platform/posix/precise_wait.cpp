// The wait on POSIX: an absolute deadline on CLOCK_MONOTONIC.
#include "runtime/platform/precise_wait.h"

#include <cerrno>
#include <ctime>

namespace mvn::platform {

void waitNanoseconds(uint64_t ns) {
  timespec deadline{};
  clock_gettime(CLOCK_MONOTONIC, &deadline);
  deadline.tv_sec += static_cast<time_t>(ns / 1000000000u);
  deadline.tv_nsec += static_cast<long>(ns % 1000000000u);
  if (deadline.tv_nsec >= 1000000000L) {
    deadline.tv_sec += 1;
    deadline.tv_nsec -= 1000000000L;
  }
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
  }
}

}  // namespace mvn::platform
