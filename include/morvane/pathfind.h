// Path search on a cost grid.
#pragma once

#include "runtime/pathfind/find_path.h"
#include "runtime/pathfind/cost_grid.h"
