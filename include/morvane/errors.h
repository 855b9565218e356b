// Runtime errors, error codes and named callbacks.
#pragma once

#include "runtime/values/errors.h"
#include "runtime/values/named_functions.h"
