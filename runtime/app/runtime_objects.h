// The runtime's global objects, each created once by the start-up and
// released once by the end routine.
#pragma once

namespace mvn {

class OpenGLRainbows;
struct InputSystem;

struct RuntimeObjects {
  OpenGLRainbows* renderer = nullptr;
  InputSystem* inputSystem = nullptr;
};

extern RuntimeObjects runtimeObjects;

}  // namespace mvn
