// The text commands live in the public header.
#pragma once

#include "morvane/text.h"
