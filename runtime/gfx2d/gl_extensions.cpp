#include "runtime/gfx2d/gl_extensions.h"

#include "runtime/app/gl_capabilities.h"

namespace mvn {

ActiveTextureFunction activeTextureEntry() { return glActiveTextureARB; }
UseProgramFunction useProgramEntry() { return glUseProgramObjectARB; }

}  // namespace mvn
