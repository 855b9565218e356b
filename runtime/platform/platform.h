// The operating-system layer: every service the runtime relies on from the
// system, in the runtime's own terms. Its only implementation is on SDL2.
#pragma once

#include "runtime/platform/audio.h"
#include "runtime/platform/cursor.h"
#include "runtime/platform/files.h"
#include "runtime/platform/gl_context.h"
#include "runtime/platform/input.h"
#include "runtime/platform/library.h"
#include "runtime/platform/messages.h"
#include "runtime/platform/notice.h"
#include "runtime/platform/pointer.h"
#include "runtime/platform/process.h"
#include "runtime/platform/time.h"
#include "runtime/platform/window.h"
