// The extension entry points the 2D renderer calls. The renderer holds them;
// the application frame fills them from the driver's capabilities at context
// creation. Null when the driver lacks them.
#pragma once

#define GL_GLEXT_LEGACY
#include <GL/gl.h>
#undef GL_GLEXT_LEGACY
#include <GL/glext.h>

// Windows' own gl.h stops at 1.1.
#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

namespace mvn {

// Under "GL_ARB_multitexture" and "GL_ARB_shader_objects".
extern PFNGLACTIVETEXTUREARBPROC glActiveTextureARB;
extern PFNGLUSEPROGRAMOBJECTARBPROC glUseProgramObjectARB;

using ActiveTextureFunction = PFNGLACTIVETEXTUREARBPROC;
using UseProgramFunction = PFNGLUSEPROGRAMOBJECTARBPROC;

ActiveTextureFunction activeTextureEntry();
UseProgramFunction useProgramEntry();

}  // namespace mvn
