// The maths functions live in the public header.
#pragma once

#include "morvane/maths.h"
