// Output for an attached debugger and the runtime's warnings.
#pragma once

namespace mvn {

// With a debugger attached: "TX" and the text to standard error.
void debugOutput(const char* text);
// The text to standard error, flushed at once.
void debugWarning(const char* text);

}  // namespace mvn
