// Random numbers and maths.
#pragma once

#include "runtime/values/random.h"
#include "runtime/values/maths.h"
