#include "runtime/app/notice.h"

#include <string>

#include "runtime/app/automation.h"
#include "runtime/core/log.h"
#include "runtime/platform/notice.h"

namespace mvn {

void showMessageBox(TextRef captionRef, TextRef textRef, unsigned icon) {
  const char* caption = captionRef;
  const char* text = textRef;
  if (messageBoxesSuppressed()) {
    const std::string line =
        std::string("message box: ") + (caption ? caption : "") + "\n" + (text ? text : "") + "\n";
    logLine(line.c_str());
    return;
  }
  platform::messageBox(caption, text, icon);
}

}  // namespace mvn
