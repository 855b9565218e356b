// The runtime's global objects, each created once by the start-up and
// released once by the end routine.
#pragma once

#include "runtime/platform/window.h"

namespace mvn {

class OpenGLRainbows;
struct InputSystem;
struct SoundSystem;
struct SoundChannel;

// The idle networking state (networking has no commands in use).
struct NetworkState {};

// The empty 3D scene bound to the renderer; the frame loop resets it.
class Scene3D {
 public:
  explicit Scene3D(OpenGLRainbows* renderer) : renderer(renderer) {}
  virtual ~Scene3D() = default;
  OpenGLRainbows* renderer;
};

struct RuntimeObjects {
  OpenGLRainbows* renderer = nullptr;
  platform::WindowHandle mainWindow = nullptr;  // copy of the renderer's window
  NetworkState* networkState = nullptr;
  Scene3D* scene3D = nullptr;
  InputSystem* inputSystem = nullptr;
  SoundSystem* soundSystem = nullptr;
  SoundChannel* soundChannels = nullptr;  // 4096 records
};

extern RuntimeObjects runtimeObjects;

}  // namespace mvn
