#include "runtime/gfx2d/gl_extensions.h"

#include "runtime/app/gl_capabilities.h"

namespace mvn {

ActiveTextureFunction activeTextureEntry() {
  return reinterpret_cast<ActiveTextureFunction>(glActiveTextureARB);
}
UseProgramFunction useProgramEntry() {
  return reinterpret_cast<UseProgramFunction>(glUseProgramObjectARB);
}

}  // namespace mvn
