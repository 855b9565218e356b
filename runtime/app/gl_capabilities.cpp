#include "runtime/app/gl_capabilities.h"

#include <cstdio>
#include <cstring>

#include "runtime/core/log.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/platform/gl_context.h"

namespace mvn {

WglSwapIntervalFunction wglSwapIntervalEXT = nullptr;

PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB = nullptr;
PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB = nullptr;
PFNGLGENBUFFERSARBPROC glGenBuffersARB = nullptr;
PFNGLBINDBUFFERARBPROC glBindBufferARB = nullptr;
PFNGLBUFFERDATAARBPROC glBufferDataARB = nullptr;
PFNGLDELETEBUFFERSARBPROC glDeleteBuffersARB = nullptr;
PFNGLMAPBUFFERARBPROC glMapBufferARB = nullptr;
PFNGLUNMAPBUFFERARBPROC glUnmapBufferARB = nullptr;
PFNGLGETBUFFERPARAMETERIVARBPROC glGetBufferParameterivARB = nullptr;

PFNGLCREATEPROGRAMOBJECTARBPROC glCreateProgramObjectARB = nullptr;
PFNGLDELETEOBJECTARBPROC glDeleteObjectARB = nullptr;
PFNGLCREATESHADEROBJECTARBPROC glCreateShaderObjectARB = nullptr;
PFNGLSHADERSOURCEARBPROC glShaderSourceARB = nullptr;
PFNGLCOMPILESHADERARBPROC glCompileShaderARB = nullptr;
PFNGLGETOBJECTPARAMETERIVARBPROC glGetObjectParameterivARB = nullptr;
PFNGLATTACHOBJECTARBPROC glAttachObjectARB = nullptr;
PFNGLGETINFOLOGARBPROC glGetInfoLogARB = nullptr;
PFNGLLINKPROGRAMARBPROC glLinkProgramARB = nullptr;
PFNGLGETUNIFORMLOCATIONARBPROC glGetUniformLocationARB = nullptr;
PFNGLUNIFORM1FARBPROC glUniform1fARB = nullptr;
PFNGLUNIFORM1IARBPROC glUniform1iARB = nullptr;
PFNGLGETATTRIBLOCATIONARBPROC glGetAttribLocationARB = nullptr;
PFNGLVERTEXATTRIB1FARBPROC glVertexAttrib1fARB = nullptr;

PFNGLBINDRENDERBUFFEREXTPROC glBindRenderbufferEXT = nullptr;
PFNGLDELETERENDERBUFFERSEXTPROC glDeleteRenderbuffersEXT = nullptr;
PFNGLGENRENDERBUFFERSEXTPROC glGenRenderbuffersEXT = nullptr;
PFNGLRENDERBUFFERSTORAGEEXTPROC glRenderbufferStorageEXT = nullptr;
PFNGLBINDFRAMEBUFFEREXTPROC glBindFramebufferEXT = nullptr;
PFNGLDELETEFRAMEBUFFERSEXTPROC glDeleteFramebuffersEXT = nullptr;
PFNGLGENFRAMEBUFFERSEXTPROC glGenFramebuffersEXT = nullptr;
PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC glCheckFramebufferStatusEXT = nullptr;
PFNGLFRAMEBUFFERTEXTURE2DEXTPROC glFramebufferTexture2DEXT = nullptr;
PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC glFramebufferRenderbufferEXT = nullptr;
PFNGLGETFRAMEBUFFERATTACHMENTPARAMETERIVEXTPROC glGetFramebufferAttachmentParameterivEXT = nullptr;

int fboSupported = 0;

namespace {

struct EntryPoint {
  const char* name;
  void** variable;
  // The extension that brings the function: the OpenGL look-up answers for
  // every name, so a function counts as delivered only with its extension.
  const char* extension;
};

template <typename F>
void** slot(F& variable) {
  return reinterpret_cast<void**>(&variable);
}

const EntryPoint multitextureEntries[] = {
    {"glActiveTextureARB", slot(glActiveTextureARB), "GL_ARB_multitexture"},
    {"glMultiTexCoord2fARB", slot(glMultiTexCoord2fARB), "GL_ARB_multitexture"},
    {"glClientActiveTextureARB", slot(glClientActiveTextureARB), "GL_ARB_multitexture"},
    {"glGenBuffersARB", slot(glGenBuffersARB), "GL_ARB_vertex_buffer_object"},
    {"glBindBufferARB", slot(glBindBufferARB), "GL_ARB_vertex_buffer_object"},
    {"glBufferDataARB", slot(glBufferDataARB), "GL_ARB_vertex_buffer_object"},
    {"glDeleteBuffersARB", slot(glDeleteBuffersARB), "GL_ARB_vertex_buffer_object"},
    {"glMapBufferARB", slot(glMapBufferARB), "GL_ARB_vertex_buffer_object"},
    {"glUnmapBufferARB", slot(glUnmapBufferARB), "GL_ARB_vertex_buffer_object"},
    {"glGetBufferParameterivARB", slot(glGetBufferParameterivARB), "GL_ARB_vertex_buffer_object"},
};

const EntryPoint fragmentProgramEntries[] = {
    {"glCreateProgramObjectARB", slot(glCreateProgramObjectARB), "GL_ARB_shader_objects"},
    {"glDeleteObjectARB", slot(glDeleteObjectARB), "GL_ARB_shader_objects"},
    {"glCreateShaderObjectARB", slot(glCreateShaderObjectARB), "GL_ARB_shader_objects"},
    {"glShaderSourceARB", slot(glShaderSourceARB), "GL_ARB_shader_objects"},
    {"glCompileShaderARB", slot(glCompileShaderARB), "GL_ARB_shader_objects"},
    {"glGetObjectParameterivARB", slot(glGetObjectParameterivARB), "GL_ARB_shader_objects"},
    {"glAttachObjectARB", slot(glAttachObjectARB), "GL_ARB_shader_objects"},
    {"glGetInfoLogARB", slot(glGetInfoLogARB), "GL_ARB_shader_objects"},
    {"glLinkProgramARB", slot(glLinkProgramARB), "GL_ARB_shader_objects"},
    {"glUseProgramObjectARB", slot(glUseProgramObjectARB), "GL_ARB_shader_objects"},
    {"glGetUniformLocationARB", slot(glGetUniformLocationARB), "GL_ARB_shader_objects"},
    {"glUniform1fARB", slot(glUniform1fARB), "GL_ARB_shader_objects"},
    {"glUniform1iARB", slot(glUniform1iARB), "GL_ARB_shader_objects"},
    {"glGetAttribLocationARB", slot(glGetAttribLocationARB), "GL_ARB_vertex_shader"},
    {"glVertexAttrib1fARB", slot(glVertexAttrib1fARB), "GL_ARB_vertex_program"},
};

const EntryPoint framebufferEntries[] = {
    {"glBindRenderbufferEXT", slot(glBindRenderbufferEXT), "GL_EXT_framebuffer_object"},
    {"glDeleteRenderbuffersEXT", slot(glDeleteRenderbuffersEXT), "GL_EXT_framebuffer_object"},
    {"glGenRenderbuffersEXT", slot(glGenRenderbuffersEXT), "GL_EXT_framebuffer_object"},
    {"glRenderbufferStorageEXT", slot(glRenderbufferStorageEXT), "GL_EXT_framebuffer_object"},
    {"glBindFramebufferEXT", slot(glBindFramebufferEXT), "GL_EXT_framebuffer_object"},
    {"glDeleteFramebuffersEXT", slot(glDeleteFramebuffersEXT), "GL_EXT_framebuffer_object"},
    {"glGenFramebuffersEXT", slot(glGenFramebuffersEXT), "GL_EXT_framebuffer_object"},
    {"glCheckFramebufferStatusEXT", slot(glCheckFramebufferStatusEXT), "GL_EXT_framebuffer_object"},
    {"glFramebufferTexture2DEXT", slot(glFramebufferTexture2DEXT), "GL_EXT_framebuffer_object"},
    {"glFramebufferRenderbufferEXT", slot(glFramebufferRenderbufferEXT),
     "GL_EXT_framebuffer_object"},
    {"glGetFramebufferAttachmentParameterivEXT", slot(glGetFramebufferAttachmentParameterivEXT),
     "GL_EXT_framebuffer_object"},
};

// The entry point, or null (logging its failure line) when not delivered.
void* fetch(const char* name, const char* extension, const std::string& extensions) {
  void* address = nullptr;
  if (!extension || containsWord(extensions.c_str(), extension))
    address = platform::getProcAddress(name);
  if (!address) logLine(entryPointFailureLine(name).c_str());
  return address;
}

void fetchAll(const EntryPoint* entries, size_t count, const std::string& extensions) {
  for (size_t i = 0; i < count; ++i)
    *entries[i].variable = fetch(entries[i].name, entries[i].extension, extensions);
}

}  // namespace

std::string extensionString() {
  const auto* gl = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  if (!gl) return "";
  std::string all = gl;
  if (!all.empty() && all.back() != ' ') all += ' ';
  return all + platform::windowSystemExtensions();
}

bool containsText(const char* text, const char* part) {
  return text && part && std::strstr(text, part) != nullptr;
}

bool containsWord(const char* text, const char* word) {
  if (!text || !word || !*word) return false;
  const size_t length = std::strlen(word);
  for (const char* at = std::strstr(text, word); at; at = std::strstr(at + 1, word)) {
    const bool starts = at == text || at[-1] == ' ';
    const bool ends = at[length] == '\0' || at[length] == ' ';
    if (starts && ends) return true;
  }
  return false;
}

std::string entryPointFailureLine(const char* name) {
  char line[128];
  std::snprintf(line, sizeof line, "ext: %-35s   [FAILED]", name);
  return line;
}

void loadExtensionEntryPoints() {
  const std::string extensions = extensionString();
  if (extensions.empty()) return;
  if (containsText(extensions.c_str(), "WGL_EXT_swap_control"))
    wglSwapIntervalEXT =
        reinterpret_cast<WglSwapIntervalFunction>(fetch("wglSwapIntervalEXT", nullptr, extensions));
  if (containsText(extensions.c_str(), "GL_ARB_multitexture"))
    fetchAll(multitextureEntries, std::size(multitextureEntries), extensions);
  if (containsText(extensions.c_str(), "GL_ARB_fragment_program"))
    fetchAll(fragmentProgramEntries, std::size(fragmentProgramEntries), extensions);
}

void testBgraSupport(OpenGLRainbows& renderer) {
  const auto* gl = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  const std::string extensions = gl ? extensionString() : "";
  renderer.bgraSupported = 0;
  if (gl) {
    if (containsText(extensions.c_str(), "_texture_format_BGRA8888")) renderer.bgraSupported = 1;
    if (containsText(extensions.c_str(), "GL_EXT_bgra")) renderer.bgraSupported = 1;
  }
  if (renderer.bgraSupported) {
    logLine("BGRA ext supported\n");
  } else {
    const std::string line = "BGRA ext NOT supported\n" + (gl ? extensions : "(null)") + "\n";
    logLine(line.c_str());
  }
}

void logTextureSizeLimit() {
  GLint size = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
  char line[64];
  std::snprintf(line, sizeof line, "Texture size limit: %d\n", static_cast<int>(size));
  logLine(line);
}

void loadFramebufferEntryPoints() {
  fetchAll(framebufferEntries, std::size(framebufferEntries), extensionString());
  fboSupported = glGenFramebuffersEXT != nullptr ? 1 : 0;
  if (!fboSupported) logLine("can't use framebuffer object\n");
}

int chooseMultisampleFormat(platform::WindowHandle deviceContext, int samples) {
  std::string extensions;
  auto getExtensions = reinterpret_cast<WglGetExtensionsStringFunction>(
      platform::getProcAddress("wglGetExtensionsStringARB"));
  if (!getExtensions) logLine(entryPointFailureLine("wglGetExtensionsStringARB").c_str());
  const char* wgl = getExtensions ? getExtensions(deviceContext) : nullptr;
  if (wgl) {
    extensions = wgl;
  } else {
    const auto* gl = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!gl) return 0;
    extensions = gl;
  }
  if (!containsWord(extensions.c_str(), "WGL_ARB_multisample")) return 0;
  auto choose = reinterpret_cast<WglChoosePixelFormatFunction>(
      platform::getProcAddress("wglChoosePixelFormatARB"));
  if (!choose) {
    logLine(entryPointFailureLine("wglChoosePixelFormatARB").c_str());
    return 0;
  }
  int attributes[] = {0x2001, 1, 0x2010, 1, 0x2003, 0x2027, 0x2014, 24,      0x201B, 8, 0x2022, 24,
                      0x2023, 8, 0x2011, 1, 0x2041, 1,      0x2042, samples, 0};
  const float floatAttributes[] = {0, 0};
  int format = 0;
  unsigned count = 0;
  if (choose(deviceContext, attributes, floatAttributes, 1, &format, &count) && count >= 1)
    return format;
  while (samples / 2 != 0) {
    samples /= 2;
    attributes[19] = samples;
    if (choose(deviceContext, attributes, floatAttributes, 1, &format, &count) && count >= 1)
      return format;
  }
  return 0;
}

}  // namespace mvn
