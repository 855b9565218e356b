/// @file
/// The program's frame: the two routines a program provides, the settings
/// record, the frame loop, the clock, the window and the pause.
///
/// A program defines applyGameSettings() and gameMain() in namespace mvn and
/// links the runtime's process entry, which opens the window between the two
/// and ends the process when the program ends. Coordinates are pixels of the
/// drawing surface, origin at the top left, y downwards.
///
/// Environment variables a run reacts to (for tests and automation):
/// - MORVANE_SEED=N: the random seed, instead of one from the clock;
/// - MORVANE_FRAMES=N: the program ends after N presented frames;
/// - MORVANE_NO_MESSAGEBOX=1: message boxes go to the log instead of the screen;
/// - MORVANE_NO_FRAME_HOLD=1: frames are presented as fast as they are drawn;
/// - MORVANE_NO_BATCH=1: every drawing command draws at once (no draw batch);
/// - MORVANE_TRACE_ERRORS=1: every error a command sets is described on
///   standard error;
/// - MORVANE_RECORD=FILE: the run's reads of the outside world (input, clock,
///   focus, the end request) are written to FILE as it runs normally;
///   MORVANE_RECORD_FRAMES=N adds a hash of every Nth presented frame;
/// - MORVANE_REPLAY=FILE: the run answers those reads from FILE instead and
///   ends when the recording does; a differing frame hash ends it with exit
///   status 66, a file that cannot be replayed with 65 (the guide's
///   "Recording a run and replaying it").
#pragma once

#include <cstdint>
#include <string>

#include "morvane/text.h"

namespace mvn {

/// @name The program's two routines
/// @{

/// Provided by the program: fills ::runtimeSettings. Called first, before the
/// window exists; call nothing here but registerNamedFunctions().
void applyGameSettings();
/// Provided by the program: its main routine, called once the window is
/// open with the settings applied. It should never return; the program
/// ends through endProgram() (Escape, left Alt with F4, the window's close
/// button, or MORVANE_FRAMES).
void gameMain();
/// @}

/// The settings the program fills in applyGameSettings().
struct RuntimeSettings {
  int32_t screenWidth = 0;     ///< drawing surface width, pixels
  int32_t screenHeight = 0;    ///< drawing surface height, pixels
  int32_t fullScreen = 0;      ///< 1: the display mode takes the drawing size (refused: a window)
  int32_t exclusiveMouse = 0;  ///< 1: mouse read as relative movement, pointer hidden at start
  int32_t frameRate = 0;       ///< frames per second showScreen() holds; 0 or less: as fast as possible
  int32_t debugMode = 0;       ///< 1: losing the foreground does not pause the program
  int32_t multisample = 0;     ///< non-zero: ask for a multisampled (smoother-edged) surface
  /// 1: a window the player can enlarge. It gets a sizing border and a
  /// maximise box; the program keeps drawing at screenWidth by screenHeight
  /// and every frame is shown scaled to fit the window (keeping the shape,
  /// black bars); mouse and touch positions still come in drawing pixels, and
  /// everything read back (getPixel(), grabSprite(), saveScreen()) is the
  /// unscaled drawing. Full screen (fullScreen, setScreen(), Alt+Enter, F11)
  /// then covers the desktop without changing the display mode. Players turn
  /// it on for any program with MORVANE_WINDOW=scaled in the environment.
  int32_t scaledWindow = 0;
  std::string appName;         ///< the window's title
  int32_t desktopWidth = 0;    ///< set by the runtime: the desktop's width
  int32_t desktopHeight = 0;   ///< set by the runtime: the desktop's height
};
/// The program's settings (see RuntimeSettings).
extern RuntimeSettings runtimeSettings;
/// The process's whole command line, program name included.
extern std::string commandLine;

/// @name The frame loop
/// @{

/// Ends a frame: presents it and prepares the next. In order: waits while the
/// program is paused; reads the mouse (see mouseState()); ends the program on
/// Escape (while ::quitKeysEnabled) or left Alt with F4; keeps looping music
/// going; handles the window's messages (typed characters, the close button);
/// shows the frame and holds the frame rate. Then the next frame starts
/// from: the whole screen as viewport, the screen cleared to the
/// clearScreen() colour or background image 0 drawn, alpha test off, alpha
/// mode -1 (ordinary blending at full strength), colour white. It keeps the
/// smoothing, orientation, virtual resolution, transparent colour, current
/// font and every loaded slot.
void showScreen();
/// Waits until a key goes down, the mouse moves or a button is pressed, or
/// a pause ends; the window's messages are handled meanwhile.
void waitForInput();
/// Changes the frame rate showScreen() holds.
/// @param framesPerSecond frames per second, truncated; 0 or less: as fast as possible
/// @param vsync non-zero: wait for the display's refresh where the system allows
void setFrameRate(double framesPerSecond, int vsync);
/// 1 (the default): Escape ends the program at the next showScreen(); 0:
/// Escape is an ordinary key. Left Alt with F4 always ends it.
extern int32_t quitKeysEnabled;
/// @}

/// @name The clock
/// @{

/// @return milliseconds since the runtime's first clock reading (0 at start-up)
double timerMs();
/// @return milliseconds since the start-up ended and gameMain() began
double programTimeMs();
/// @return the length of the last frame in milliseconds, at least 1
double lastFrameMs();
/// Sleeps without handling the window's messages; prefer showScreen().
/// @param milliseconds how long; 0 or less returns at once
void sleepMs(int milliseconds);
/// @}

/// @name The window
/// @{

/// Changes the drawing surface: a new size and window or full-screen mode,
/// then five frames are shown (showScreen()) so that the display settles.
/// Slots, fonts and sounds survive.
/// @param width new width in pixels @param height new height in pixels
/// @param fullScreen 1: full screen at that size (refused: a window), 0: a window
void setScreen(int width, int height, int fullScreen);
/// @return the drawing surface's width in pixels
int getScreenWidth();
/// @return the drawing surface's height in pixels
int getScreenHeight();
/// @return 1 while the program runs full screen, else 0
int isFullScreen();
/// @}

/// @name The log and messages
/// @{

/// Appends text to the runtime's log, "ErrorLog.txt" in the temporary
/// directory (TMPDIR, else /tmp), recreated at each start.
/// @param text the text as it stands; end it with "\n" (null is written as "NULL")
void logLine(TextRef text);
/// Shows a message box and waits until it is answered; with
/// MORVANE_NO_MESSAGEBOX=1 the caption and text go to the log instead.
/// @param caption the box's title @param text the message
/// @param icon 0x30: a warning box; any other value: an information box
void showMessageBox(TextRef caption, TextRef text, unsigned icon);
/// @}

/// @name Pause
/// The program pauses when its window loses the foreground (unless
/// RuntimeSettings::debugMode) and showScreen() waits until it is back.
/// @{

/// 1 while the program is paused, else 0.
extern int paused;
/// 1 (the default) when the program may pause, 0 when it may not.
extern int allowPause;
/// Pauses or resumes, calling the program's "MVN_ON_PAUSE" or
/// "MVN_ON_RESUME" (see registerNamedFunctions()) when the state changes.
/// @param flag non-zero pauses (when allowed), 0 resumes
void setPaused(int flag);
/// Allows or forbids pausing; forbidding it ends a pause in progress.
/// @param flag non-zero allows, 0 forbids
void setAllowPause(int flag);
/// @}

}  // namespace mvn
