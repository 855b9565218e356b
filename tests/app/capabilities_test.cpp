// The driver's capabilities: extension tests, failure lines, what the
// context on the display offers.
#include <gtest/gtest.h>

#include <string>

#include "runtime/app/gl_capabilities.h"
#include "runtime/core/log.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/platform/gl_context.h"
#include "tests/app/child_process.h"
#include "tests/support/gl_window.h"

namespace mvn {
namespace {

TEST(Capabilities, SubstringAndWholeWordSearches) {
  const char* extensions = "GL_EXT_bgra_extended WGL_ARB_multisample_plus XWGL_ARB_multisample";
  EXPECT_TRUE(containsText(extensions, "GL_EXT_bgra"));
  EXPECT_FALSE(containsWord(extensions, "WGL_ARB_multisample"));
  EXPECT_TRUE(containsWord("WGL_ARB_multisample", "WGL_ARB_multisample"));
  EXPECT_TRUE(containsWord("A WGL_ARB_multisample B", "WGL_ARB_multisample"));
  EXPECT_TRUE(containsWord("WGL_ARB_multisample_x WGL_ARB_multisample", "WGL_ARB_multisample"));
  EXPECT_FALSE(containsWord(nullptr, "X"));
  EXPECT_FALSE(containsText(nullptr, "X"));
}

TEST(Capabilities, FailureLinesRunTogether) {
  EXPECT_EQ(entryPointFailureLine("glGenBuffersARB") + entryPointFailureLine("glBindBufferARB"),
            "ext: glGenBuffersARB                       [FAILED]"
            "ext: glBindBufferARB                       [FAILED]");
}

TEST(Capabilities, ContextOnTheDisplay) {
  OpenGLRainbows& renderer = testing::openTestWindow(64, 64);
  ASSERT_NE(renderer.window, nullptr);
  // The driver offers these: their entry points are there.
  EXPECT_EQ(renderer.bgraSupported, 1);
  EXPECT_NE(glActiveTextureARB, nullptr);
  EXPECT_NE(glUseProgramObjectARB, nullptr);
  EXPECT_EQ(fboSupported, 1);
  EXPECT_NE(glGenFramebuffersEXT, nullptr);
  // No swap control under a virtual display: the entry point stays null.
  if (!containsWord(platform::windowSystemExtensions(), "WGL_EXT_swap_control")) {
    EXPECT_EQ(wglSwapIntervalEXT, nullptr);
  }
  // The layer names multisampled formats; the request halves down to 1 sample.
  EXPECT_EQ(chooseMultisampleFormat(renderer.window, 8), platform::kMultisampleFormatBase + 8);
  EXPECT_EQ(chooseMultisampleFormat(renderer.window, 0), platform::kMultisampleFormatBase + 4);
}

TEST(Capabilities, EntryPointsNeedTheirExtension) {
  testing::openTestWindow(64, 64);
#ifndef _WIN32
  // A name the driver look-up answers although nothing implements it (WGL
  // answers only the names the driver has).
  EXPECT_NE(platform::getProcAddress("glNoSuchFunctionEXT"), nullptr);
#endif
  EXPECT_EQ(platform::getProcAddress("wglNoSuchFunction"), nullptr);
  EXPECT_NE(platform::getProcAddress("wglChoosePixelFormatARB"), nullptr);
}

}  // namespace
}  // namespace mvn
