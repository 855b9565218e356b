// Sprite slots: loading, memory images, saving.
#pragma once

#include "runtime/gfx2d/sprite_loading.h"
#include "runtime/gfx2d/sprite_memory.h"
#include "runtime/gfx2d/sprite_store.h"
#include "runtime/gfx2d/image_writer.h"
