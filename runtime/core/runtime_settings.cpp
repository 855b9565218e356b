#include "runtime/core/runtime_settings.h"

namespace mvn {

RuntimeSettings runtimeSettings;
std::string commandLine;
std::string windowTitle;
int32_t currentFontIndex = 0;

}  // namespace mvn
