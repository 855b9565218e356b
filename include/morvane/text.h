// Text values and text commands.
#pragma once

#include "runtime/values/rt_string.h"
#include "runtime/values/text_commands.h"
#include "runtime/values/text_format.h"
