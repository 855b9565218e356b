/// @file
/// The Morvane runtime: everything a program may call, in one include.
///
/// @mainpage The Morvane runtime
/// A program on the runtime includes "morvane/morvane.h", defines
/// applyGameSettings() and gameMain() in namespace mvn, and draws one frame
/// per showScreen(). Everything is in namespace mvn; commands are plain
/// functions that report failures through mvn::errorCode, never by throwing;
/// call them only from the thread that runs gameMain().
///
/// - program.h: the two routines, the settings, the frame loop, the clock,
///   the window, the pause, and the environment variables a run reacts to;
/// - drawing.h: colours, blending, rectangles, sprites, animation frames,
///   lines, pixels, polygons, collisions;
/// - view.h: viewport, orientation, virtual resolution, clearing and
///   backgrounds;
/// - sprites.h: loading, saving and making images in sprite slots;
/// - fonts.h: bitmap fonts and text output;
/// - input.h: keys by name, the mouse, controllers, typed text;
/// - audio.h: music and sound samples;
/// - files.h: directories, in-memory names and the data archive;
/// - text.h, arrays.h, maths.h: the dialect's text values, arrays, random
///   numbers and maths;
/// - errors.h: error codes, the program's end, functions called by name;
/// - pathfind.h: path search on a grid of costs.
#pragma once

/// @namespace mvn
/// Everything of the runtime a program may use.

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
