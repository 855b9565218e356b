// Drawing: rectangles, sprites, lines, pixels, polygons, collisions.
#pragma once

#include "runtime/gfx2d/drawing.h"
#include "runtime/gfx2d/polygon.h"
#include "runtime/gfx2d/collision.h"
