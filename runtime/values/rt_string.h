// The runtime's text value lives in the public header.
#pragma once

#include "morvane/text.h"
