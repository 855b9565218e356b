// Typed text: characters the message pump hands over, read one at a time.
#pragma once

#include "morvane/input.h"

#include <string>

namespace mvn {

// A character message's byte: 13 is stored as 10; 0 and the control
// characters other than 8, 9, 10 and 13 are ignored; at most 16 characters
// wait, later ones are dropped.
void addTypedCharacter(unsigned char c);



}  // namespace mvn
