#include "runtime/values/errors.h"

#include <cstdio>

namespace mvn {

int errorCode = 0;
int errorLine = 0;
int currentLine = 0;
int currentModule = 0;

int setError(int code) {
  if (code == 0) return 0;
  errorCode = code;
  errorLine = currentLine;
  std::printf("error: %x\n", static_cast<unsigned>(code));
  std::fflush(stdout);
  return code;
}

}  // namespace mvn
