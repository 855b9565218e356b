// What the OpenGL driver offers beyond 1.1: extension entry points (null when
// missing), BGRA read-back, framebuffer objects, multisampled formats.
#pragma once

#define GL_GLEXT_LEGACY
#include <GL/gl.h>
#undef GL_GLEXT_LEGACY
#include <GL/glext.h>

#include <string>

#include "runtime/gfx2d/drawing/gl_extensions.h"
#include "runtime/platform/window.h"

namespace mvn {

class OpenGLRainbows;

using WglSwapIntervalFunction = int(APIENTRY*)(int interval);
using WglGetExtensionsStringFunction = const char*(APIENTRY*)(void* deviceContext);
using WglChoosePixelFormatFunction = int(APIENTRY*)(void* deviceContext, const int* intAttributes,
                                                    const float* floatAttributes, unsigned maxFormats,
                                                    int* formats, unsigned* formatCount);

extern WglSwapIntervalFunction wglSwapIntervalEXT;

// Under "GL_ARB_multitexture".
extern PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB;
extern PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB;
extern PFNGLGENBUFFERSARBPROC glGenBuffersARB;
extern PFNGLBINDBUFFERARBPROC glBindBufferARB;
extern PFNGLBUFFERDATAARBPROC glBufferDataARB;
extern PFNGLDELETEBUFFERSARBPROC glDeleteBuffersARB;
extern PFNGLMAPBUFFERARBPROC glMapBufferARB;
extern PFNGLUNMAPBUFFERARBPROC glUnmapBufferARB;
extern PFNGLGETBUFFERPARAMETERIVARBPROC glGetBufferParameterivARB;

// Under "GL_ARB_fragment_program".
extern PFNGLCREATEPROGRAMOBJECTARBPROC glCreateProgramObjectARB;
extern PFNGLDELETEOBJECTARBPROC glDeleteObjectARB;
extern PFNGLCREATESHADEROBJECTARBPROC glCreateShaderObjectARB;
extern PFNGLSHADERSOURCEARBPROC glShaderSourceARB;
extern PFNGLCOMPILESHADERARBPROC glCompileShaderARB;
extern PFNGLGETOBJECTPARAMETERIVARBPROC glGetObjectParameterivARB;
extern PFNGLATTACHOBJECTARBPROC glAttachObjectARB;
extern PFNGLGETINFOLOGARBPROC glGetInfoLogARB;
extern PFNGLLINKPROGRAMARBPROC glLinkProgramARB;
extern PFNGLGETUNIFORMLOCATIONARBPROC glGetUniformLocationARB;
extern PFNGLUNIFORM1FARBPROC glUniform1fARB;
extern PFNGLUNIFORM1IARBPROC glUniform1iARB;
extern PFNGLGETATTRIBLOCATIONARBPROC glGetAttribLocationARB;
extern PFNGLVERTEXATTRIB1FARBPROC glVertexAttrib1fARB;

// Framebuffer objects (always fetched).
extern PFNGLBINDRENDERBUFFEREXTPROC glBindRenderbufferEXT;
extern PFNGLDELETERENDERBUFFERSEXTPROC glDeleteRenderbuffersEXT;
extern PFNGLGENRENDERBUFFERSEXTPROC glGenRenderbuffersEXT;
extern PFNGLRENDERBUFFERSTORAGEEXTPROC glRenderbufferStorageEXT;
extern PFNGLBINDFRAMEBUFFEREXTPROC glBindFramebufferEXT;
extern PFNGLDELETEFRAMEBUFFERSEXTPROC glDeleteFramebuffersEXT;
extern PFNGLGENFRAMEBUFFERSEXTPROC glGenFramebuffersEXT;
extern PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC glCheckFramebufferStatusEXT;
extern PFNGLFRAMEBUFFERTEXTURE2DEXTPROC glFramebufferTexture2DEXT;
extern PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC glFramebufferRenderbufferEXT;
extern PFNGLGETFRAMEBUFFERATTACHMENTPARAMETERIVEXTPROC glGetFramebufferAttachmentParameterivEXT;

// 1 when glGenFramebuffersEXT was found.
extern int fboSupported;

// The driver's extensions: the OpenGL string and the window system's, blank
// separated. Empty when no context is current.
std::string extensionString();
// A plain substring search, and a search for a whole blank-separated word.
bool containsText(const char* text, const char* part);
bool containsWord(const char* text, const char* word);
// The log text of an entry point that was not delivered.
std::string entryPointFailureLine(const char* name);

// Context creation's capability steps: the extension entry points, the BGRA
// test, the texture size line.
void loadExtensionEntryPoints();
void testBgraSupport(OpenGLRainbows& renderer);
void logTextureSizeLimit();
void loadFramebufferEntryPoints();
// A multisampled pixel format for the window with samples (halved until one
// is found), or 0.
int chooseMultisampleFormat(platform::WindowHandle deviceContext, int samples);

}  // namespace mvn
