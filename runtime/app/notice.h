// Message boxes of the runtime.
#pragma once

namespace mvn {

// A message box without owner; with MORVANE_NO_MESSAGEBOX set, the caption
// and the text go to the log instead ("message box: <caption>\n<text>\n").
void showMessageBox(const char* caption, const char* text, unsigned icon);

}  // namespace mvn
