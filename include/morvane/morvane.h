// The Morvane runtime: everything a program may call, in one include.
#pragma once

#include "morvane/program.h"
#include "morvane/errors.h"
#include "morvane/text.h"
#include "morvane/arrays.h"
#include "morvane/maths.h"
#include "morvane/drawing.h"
#include "morvane/view.h"
#include "morvane/sprites.h"
#include "morvane/fonts.h"
#include "morvane/input.h"
#include "morvane/audio.h"
#include "morvane/files.h"
#include "morvane/pathfind.h"
