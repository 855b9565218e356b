// Game controllers: the commands are public (morvane/input.h).
#pragma once

#include "morvane/input.h"
