// The program's frame: entry routines, settings, frame loop, timer, window.
#pragma once

#include "runtime/app/program.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/app/frame_loop.h"
#include "runtime/core/timer.h"
#include "runtime/app/window_context.h"
#include "runtime/values/pause_state.h"
#include "runtime/core/program_end.h"
