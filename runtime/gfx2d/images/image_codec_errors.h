// How errors of the PNG and JPEG libraries come back to the decoders and
// writers: the message goes to the runtime log and control jumps back to the
// caller's setjmp point, which releases everything and reports failure. The
// libraries would otherwise end the process (JPEG) or fail without a way back.
#pragma once

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>
#include <png.h>

namespace mvn {

struct JpegErrorTrap {
  jpeg_error_mgr manager;  // first: the library's error pointer points here
  std::jmp_buf jump;
};

// Sets up the library's standard error manager with our exit and output:
// messages (errors and the first warning) go to the runtime log, errors
// longjmp to trap.jump. Returns the manager for cinfo.err.
jpeg_error_mgr* installJpegErrorTrap(JpegErrorTrap& trap);

// libpng error function: writes "PNG: <message>" to the runtime log and
// longjmps to png_jmpbuf. The warning function ignores warnings.
void pngErrorToLog(png_structp png, png_const_charp message);
void pngIgnoreWarning(png_structp png, png_const_charp message);

}  // namespace mvn
