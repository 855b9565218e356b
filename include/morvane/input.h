// Keyboard, mouse, controllers and typed text.
#pragma once

#include "runtime/input/keyboard.h"
#include "runtime/input/mouse.h"
#include "runtime/input/controllers.h"
#include "runtime/input/typed_text.h"
