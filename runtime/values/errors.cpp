#include "runtime/values/errors.h"

#include <cstdio>
#include <cstring>

#include "runtime/core/program_end.h"
#include "runtime/platform/process.h"
#include "runtime/values/text_format.h"

namespace mvn {

int errorCode = 0;
int errorLine = 0;
int currentLine = 0;
int currentModule = 0;

namespace {

const char* codeText(int code) {
  switch (code) {
    case 0: return "success";
    case 3: return "no such file";
    case 7: return "out of memory";
    case 9: return "out of bounds";
    case 20: return "out of data";
    default: return "unknown error";
  }
}

// "[" + the number right-aligned in at least four characters + "]".
void appendBracket(RtString& text, int number) {
  text.append("[");
  text.append(formatInt(4, number));
  text.append("]");
}

}  // namespace

void clearErrorRegisters() {
  errorCode = 0;
  errorLine = 0;
  currentLine = 0;
}

int setError(int code) {
  if (code == 0) return 0;
  errorCode = code;
  errorLine = currentLine;
  char line[24];
  std::snprintf(line, sizeof line, "error: %x\n", static_cast<unsigned>(code));
  std::fputs(line, stdout);
  std::fflush(stdout);
  return code;
}

RtString errorText() {
  char text[64];
  std::snprintf(text, sizeof text, "%.4d %s", errorCode, codeText(errorCode));
  return RtString(text);
}

bool debuggerAttached() { return platform::debuggerPresent(); }

void debugOutput(const char* text) {
  if (text == nullptr || !debuggerAttached()) return;
  std::fprintf(stderr, "TX%s", text);
  std::fflush(stderr);
}

void writeStdErr(const char* text) {
  if (text == nullptr) return;
  std::fprintf(stderr, "%s", text);
  std::fflush(stderr);
}

void writeStdOut(const char* text) {
  if (text == nullptr) return;
  std::fprintf(stdout, "%s", text);
  std::fflush(stdout);
}

void reportIndexFailure(const int sizes[4], const int* indices, int count) {
  if (count < 1) count = 1;
  if (count > 4) count = 4;
  // Extents: the first always, each further one while the chain of non-zero
  // extents goes on, up to as many as the access has indices.
  int parts = 1;
  while (parts < count && sizes[parts] > 0) ++parts;
  // Indices: as many parts as the extents, and further ones up to the last
  // non-zero index, so that an index past a missing extent shows.
  int used = parts;
  for (int k = parts; k < count; ++k) {
    if (indices[k] != 0) used = k + 1;
  }
  RtString bounds("bounds: ");
  for (int k = 0; k < parts; ++k) appendBracket(bounds, sizes[k]);
  bounds.append("\n");
  RtString access("access: ");
  for (int k = 0; k < used; ++k) appendBracket(access, indices[k]);
  access.append("\n");
  debugOutput(bounds.c_str());
  debugOutput(access.c_str());
  writeStdErr(bounds.c_str());
  writeStdErr(access.c_str());
}

void assertValue(int value, SourcePlace at) {
  if (value != 0) return;
  RtString report("Assertion: Value = ");
  report.append(value);
  report.append("\n");
  debugOutput(report.c_str());
  fatalError(kErrorAssertion, at);
}

void setCurrentLine(int module, int line) {
  currentModule = module;
  currentLine = line;
}

}  // namespace mvn
