#include "runtime/app/automation.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "runtime/platform/process.h"

namespace mvn {

namespace {

bool decimal(const char* name, long long& value) {
  const char* text = platform::environment(name);
  if (!text || !*text) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtoll(text, &end, 10);
  return errno == 0 && *end == '\0';
}

}  // namespace

bool automationSeed(uint32_t& seed) {
  long long value = 0;
  if (!decimal("MORVANE_SEED", value)) return false;
  seed = static_cast<uint32_t>(value);
  return true;
}

long automationFrameLimit() {
  long long value = 0;
  if (!decimal("MORVANE_FRAMES", value) || value <= 0) return 0;
  return value > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<long>(value);
}

bool messageBoxesSuppressed() {
  const char* text = platform::environment("MORVANE_NO_MESSAGEBOX");
  return text && *text && std::strcmp(text, "0") != 0;
}

namespace {

bool flagSet(const char* name) {
  const char* text = platform::environment(name);
  return text && *text && std::strcmp(text, "0") != 0;
}

}  // namespace

bool frameHoldDisabled() { return flagSet("MORVANE_NO_FRAME_HOLD"); }

bool drawBatchDisabled() { return flagSet("MORVANE_NO_BATCH"); }

}  // namespace mvn
