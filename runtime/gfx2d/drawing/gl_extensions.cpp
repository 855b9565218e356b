#include "runtime/gfx2d/drawing/gl_extensions.h"

namespace mvn {

PFNGLACTIVETEXTUREARBPROC glActiveTextureARB = nullptr;
PFNGLUSEPROGRAMOBJECTARBPROC glUseProgramObjectARB = nullptr;

ActiveTextureFunction activeTextureEntry() { return glActiveTextureARB; }
UseProgramFunction useProgramEntry() { return glUseProgramObjectARB; }

}  // namespace mvn
