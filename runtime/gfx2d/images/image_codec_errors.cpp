#include "runtime/gfx2d/images/image_codec_errors.h"

#include <string>

#include "runtime/core/log.h"

namespace mvn {
namespace {

void jpegOutputToLog(j_common_ptr cinfo) {
  char message[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, message);
  logLine((std::string(message) + "\n").c_str());
}

void jpegErrorJump(j_common_ptr cinfo) {
  (*cinfo->err->output_message)(cinfo);
  std::longjmp(reinterpret_cast<JpegErrorTrap*>(cinfo->err)->jump, 1);
}

}  // namespace

jpeg_error_mgr* installJpegErrorTrap(JpegErrorTrap& trap) {
  jpeg_error_mgr* manager = jpeg_std_error(&trap.manager);
  manager->error_exit = jpegErrorJump;
  manager->output_message = jpegOutputToLog;
  return manager;
}

void pngErrorToLog(png_structp png, png_const_charp message) {
  logLine((std::string("PNG: ") + (message ? message : "error") + "\n").c_str());
  png_longjmp(png, 1);
}

void pngIgnoreWarning(png_structp, png_const_charp) {}

}  // namespace mvn
