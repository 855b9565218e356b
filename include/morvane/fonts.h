// Bitmap fonts and text output.
#pragma once

#include "runtime/gfx2d/font_loading.h"
#include "runtime/gfx2d/font_selection.h"
#include "runtime/gfx2d/font_text.h"
#include "runtime/gfx2d/font_metrics.h"
