// Files, in-memory names and the shoebox archive.
#pragma once

#include "runtime/files/rt_file.h"
#include "runtime/files/memory_name.h"
#include "runtime/files/shoebox.h"
