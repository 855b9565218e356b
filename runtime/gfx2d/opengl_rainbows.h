// The single renderer object: its window and context, its sprite slots, its
// drawing state and view. Each group of fields is kept by the module that
// implements it; construction and destruction are shared between them.
#pragma once

namespace mvn {

class OpenGLRainbows {
 public:
  OpenGLRainbows();
  virtual ~OpenGLRainbows();
  OpenGLRainbows(const OpenGLRainbows&) = delete;
  OpenGLRainbows& operator=(const OpenGLRainbows&) = delete;

  // --- window and context (runtime/app) ---

  // --- OpenGL capabilities (runtime/app) ---

  // --- sprite slots (runtime/gfx2d) ---

  // --- drawing state, view and frame state (runtime/gfx2d) ---
};

}  // namespace mvn
