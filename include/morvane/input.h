/// @file
/// Input: the keyboard by key, the mouse (or each finger on a touch screen),
/// game controllers and typed text.
///
/// Keys are numbered by their place on the keyboard, not by the letter a
/// layout prints on them (the numbering of the mvn::Keys constants): kKeyQ is
/// the key right of Tab on every layout. For text, read typed characters
/// with nextTypedCharacter(). Escape ends the program at the next
/// showScreen() unless mvn::quitKeysEnabled is 0; left Alt with F4 always does.
#pragma once

#include <string>

namespace mvn {

/// Key numbers for isKeyDown().
enum Keys : int {
  kKeyEscape = 0x01,  ///< escape
  kKeyDigit1 = 0x02,  ///< digit 1 of the main block
  kKeyDigit2 = 0x03,  ///< digit 2 of the main block
  kKeyDigit3 = 0x04,  ///< digit 3 of the main block
  kKeyDigit4 = 0x05,  ///< digit 4 of the main block
  kKeyDigit5 = 0x06,  ///< digit 5 of the main block
  kKeyDigit6 = 0x07,  ///< digit 6 of the main block
  kKeyDigit7 = 0x08,  ///< digit 7 of the main block
  kKeyDigit8 = 0x09,  ///< digit 8 of the main block
  kKeyDigit9 = 0x0A,  ///< digit 9 of the main block
  kKeyDigit0 = 0x0B,  ///< digit 0 of the main block
  kKeyMinus = 0x0C,  ///< minus
  kKeyEquals = 0x0D,  ///< equals
  kKeyBackspace = 0x0E,  ///< backspace
  kKeyTab = 0x0F,  ///< tab
  kKeyQ = 0x10,  ///< letter Q
  kKeyW = 0x11,  ///< letter W
  kKeyE = 0x12,  ///< letter E
  kKeyR = 0x13,  ///< letter R
  kKeyT = 0x14,  ///< letter T
  kKeyY = 0x15,  ///< letter Y
  kKeyU = 0x16,  ///< letter U
  kKeyI = 0x17,  ///< letter I
  kKeyO = 0x18,  ///< letter O
  kKeyP = 0x19,  ///< letter P
  kKeyLeftBracket = 0x1A,  ///< left bracket
  kKeyRightBracket = 0x1B,  ///< right bracket
  kKeyReturn = 0x1C,  ///< return
  kKeyLeftControl = 0x1D,  ///< left control
  kKeyA = 0x1E,  ///< letter A
  kKeyS = 0x1F,  ///< letter S
  kKeyD = 0x20,  ///< letter D
  kKeyF = 0x21,  ///< letter F
  kKeyG = 0x22,  ///< letter G
  kKeyH = 0x23,  ///< letter H
  kKeyJ = 0x24,  ///< letter J
  kKeyK = 0x25,  ///< letter K
  kKeyL = 0x26,  ///< letter L
  kKeySemicolon = 0x27,  ///< semicolon
  kKeyApostrophe = 0x28,  ///< apostrophe
  kKeyGrave = 0x29,  ///< ` (left of 1)
  kKeyLeftShift = 0x2A,  ///< left shift
  kKeyBackslash = 0x2B,  ///< backslash
  kKeyZ = 0x2C,  ///< letter Z
  kKeyX = 0x2D,  ///< letter X
  kKeyC = 0x2E,  ///< letter C
  kKeyV = 0x2F,  ///< letter V
  kKeyB = 0x30,  ///< letter B
  kKeyN = 0x31,  ///< letter N
  kKeyM = 0x32,  ///< letter M
  kKeyComma = 0x33,  ///< comma
  kKeyPeriod = 0x34,  ///< period
  kKeySlash = 0x35,  ///< slash
  kKeyRightShift = 0x36,  ///< right shift
  kKeyKeypadMultiply = 0x37,  ///< keypad multiply
  kKeyLeftAlt = 0x38,  ///< left alt
  kKeySpace = 0x39,  ///< space
  kKeyCapsLock = 0x3A,  ///< caps lock
  kKeyF1 = 0x3B,  ///< F1
  kKeyF2 = 0x3C,  ///< f 2
  kKeyF3 = 0x3D,  ///< f 3
  kKeyF4 = 0x3E,  ///< f 4
  kKeyF5 = 0x3F,  ///< f 5
  kKeyF6 = 0x40,  ///< f 6
  kKeyF7 = 0x41,  ///< f 7
  kKeyF8 = 0x42,  ///< f 8
  kKeyF9 = 0x43,  ///< f 9
  kKeyF10 = 0x44,  ///< F10
  kKeyNumLock = 0x45,  ///< num lock
  kKeyScrollLock = 0x46,  ///< scroll lock
  kKeyKeypad7 = 0x47,  ///< keypad 7
  kKeyKeypad8 = 0x48,  ///< keypad 8
  kKeyKeypad9 = 0x49,  ///< keypad 9
  kKeyKeypadMinus = 0x4A,  ///< keypad minus
  kKeyKeypad4 = 0x4B,  ///< keypad 4
  kKeyKeypad5 = 0x4C,  ///< keypad 5
  kKeyKeypad6 = 0x4D,  ///< keypad 6
  kKeyKeypadPlus = 0x4E,  ///< keypad plus
  kKeyKeypad1 = 0x4F,  ///< keypad 1
  kKeyKeypad2 = 0x50,  ///< keypad 2
  kKeyKeypad3 = 0x51,  ///< keypad 3
  kKeyKeypad0 = 0x52,  ///< keypad 0
  kKeyKeypadPeriod = 0x53,  ///< keypad period
  kKeyOem102 = 0x56,  ///< the extra key beside left Shift on 102-key keyboards
  kKeyF11 = 0x57,  ///< F11
  kKeyF12 = 0x58,  ///< F12
  kKeyF13 = 0x64,  ///< F13
  kKeyF14 = 0x65,  ///< F14
  kKeyF15 = 0x66,  ///< F15
  kKeyKeypadEquals = 0x8D,  ///< keypad equals
  kKeyKeypadEnter = 0x9C,  ///< keypad enter
  kKeyRightControl = 0x9D,  ///< right control
  kKeyKeypadDivide = 0xB5,  ///< keypad divide
  kKeyPrintScreen = 0xB7,  ///< print screen
  kKeyRightAlt = 0xB8,  ///< right alt
  kKeyPause = 0xC5,  ///< pause
  kKeyHome = 0xC7,  ///< home
  kKeyUp = 0xC8,  ///< up
  kKeyPageUp = 0xC9,  ///< page up
  kKeyLeft = 0xCB,  ///< left
  kKeyRight = 0xCD,  ///< right
  kKeyEnd = 0xCF,  ///< end
  kKeyDown = 0xD0,  ///< down
  kKeyPageDown = 0xD1,  ///< page down
  kKeyInsert = 0xD2,  ///< insert
  kKeyDelete = 0xD3,  ///< delete
  kKeyLeftSystem = 0xDB,  ///< the left system (logo) key
  kKeyRightSystem = 0xDC,  ///< the right system (logo) key
  kKeyMenu = 0xDD,  ///< the menu (application) key
};

/// Whether a key is down. A key that went down since the previous frame
/// reads as down in this frame even if it is already up again, so a tap
/// shorter than a frame is never missed; a held key reads down every frame.
/// The keyboard is read once per frame (at the first query after
/// showScreen()); while the window is in the background no key is down.
/// @param code a key number, 0 to 255 (see ::Keys)
/// @return 1 while down, else 0 (also for a code outside 0..255)
int isKeyDown(int code);
/// Whether a key went down since the last frame: 1 in the first frame that
/// reads it down (a held key once, however long it is held), else 0. A tap
/// shorter than a frame reads as one press, and as one release the frame
/// after. "The last frame" is the last one whose keys the program read.
/// @param code a key number, 0 to 255 (see ::Keys)
/// @return 1 in the frame the key went down, else 0
int keyWentDown(int code);
/// Whether a key came up since the last frame: 1 in the first frame that
/// reads it up after a frame that read it down, else 0.
/// @param code a key number, 0 to 255 (see ::Keys)
/// @return 1 in the frame the key came up, else 0
int keyWentUp(int code);

/// @name The mouse
/// @{

/// The mouse as the program's screen sees it. A button reads 1 while it is
/// held, and also at the first read after it went down even when it came up
/// again before that read (a quick click is never missed; several clicks
/// between two reads count once).
/// @param[out] x pointer position on the screen, 0 to width - 1 (held to
///        the screen, through orientation and virtual resolution)
/// @param[out] y pointer position, 0 to height - 1
/// @param[out] button1 the left button, 1 or 0
/// @param[out] button2 the right button, 1 or 0
void mouseState(int& x, int& y, int& button1, int& button2);
/// Whether a mouse button went down since the last frame: 1 in the first
/// frame that finds it down, else 0. A click shorter than a frame reads as
/// one press, and as one release the frame after; several clicks between
/// two frames count once.
/// @param button 1 the left, 2 the right, 3 the middle button
/// @return 1 in the frame the button went down, else 0 (also for another number)
int mouseButtonWentDown(int button);
/// Whether a mouse button came up since the last frame: 1 in the first
/// frame that finds it up after a frame that found it down, else 0.
/// @param button 1 the left, 2 the right, 3 the middle button
/// @return 1 in the frame the button came up, else 0
int mouseButtonWentUp(int button);
/// One axis of the current mouse since its last read.
/// @param axis 0 movement in x, 1 movement in y, 2 wheel steps, 3 to 5 the
///        left, right and middle buttons
/// @return the movement in pixels, the wheel steps, or 1/0 for a button;
///         0 for another axis
int mouseAxis(int axis);
/// Shows the system's arrow pointer with the mouse shared with the desktop,
/// or hides it and reads the mouse as relative movement (the position then
/// moves only inside the screen).
/// @param flag non-zero shows, 0 hides
void showSystemPointer(double flag);
/// Moves the system pointer; the current mouse takes it as its position.
/// @param screenX column on the desktop @param screenY row on the desktop
void placePointer(int screenX, int screenY);
/// @return how many mice can be chosen: 32 where each finger on a touch
///         screen is a mouse of its own, else 1
int mouseCount();
/// Chooses the mouse mouseState() reads: on a touch screen, mouse n follows
/// the n-th finger.
/// @param index 0 to mouseCount() - 1
/// @note Sets ::kErrorOutOfRange for an index outside that range.
void selectMouse(int index);
/// @}

/// @name Game controllers
/// Controllers are numbered from 0 in the order they were attached at
/// start-up (ten at most); a number without a controller reads as one at rest.
/// @{

/// @return the number of controllers found at start-up
int joystickCount();
/// The first two axes and buttons of a controller.
/// @param index controller number
/// @param[out] x first axis divided by 30000: about -1 (left) to 1 (right)
/// @param[out] y second axis divided by 30000: about -1 (up) to 1 (down)
/// @param[out] button1 first button, 1 or 0 @param[out] button2 second button, 1 or 0
void joystickState(int index, double& x, double& y, int& button1, int& button2);
/// @param index controller number @param axis 0 to 5: X, Y, Z, RX, RY, RZ
/// @return the axis from -1 to 1 (divided by 32767, held to that range)
double joystickAxis(int index, int axis);
/// The point-of-view hat.
/// @param index controller number
/// @param[out] x -1 left, 1 right, 0 centred @param[out] y -1 up, 1 down, 0 centred
void joystickHat(int index, int& x, int& y);
/// @param index controller number @param button 0 to 31
/// @return 1 while the button is down, else 0
int joystickButton(int index, int button);
/// @param index controller number
/// @return the name the controller reports, or the empty text
const char* joystickName(int index);
/// @}

/// The oldest character typed and not yet read, as the keyboard layout
/// gives it (Return reads as 10; Backspace 8, Tab 9). At most 16 wait; more
/// are dropped. Characters arrive during showScreen().
/// @return the character as a one-byte text, or empty when none waits
std::string nextTypedCharacter();

}  // namespace mvn
