#include "runtime/gfx2d/gl_extensions.h"

namespace mvn {

ActiveTextureFunction activeTextureEntry() { return nullptr; }
UseProgramFunction useProgramEntry() { return nullptr; }

}  // namespace mvn
