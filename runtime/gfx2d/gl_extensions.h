// The extension entry points the 2D renderer calls, taken from the
// capabilities found at context creation; null when the driver lacks them.
#pragma once

namespace mvn {

using ActiveTextureFunction = void (*)(unsigned unit);
using UseProgramFunction = void (*)(unsigned program);

ActiveTextureFunction activeTextureEntry();
UseProgramFunction useProgramEntry();

}  // namespace mvn
