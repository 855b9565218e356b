// Bounds-checked arrays.
#pragma once

#include "runtime/values/rt_array.h"
