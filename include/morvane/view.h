// The view, the background and the frame state.
#pragma once

#include "runtime/gfx2d/view.h"
#include "runtime/gfx2d/background.h"
#include "runtime/gfx2d/frame_state.h"
