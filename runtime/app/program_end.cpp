#include "runtime/app/program_end.h"

#include <cstdio>
#include <cstdlib>

#include "runtime/values/errors.h"

namespace mvn {

namespace {
bool ending = false;
int exitStatus = 0;
}  // namespace

void endProgram() {
  if (ending) return;
  ending = true;
  std::puts("exit");
  std::fflush(stdout);
  std::exit(exitStatus);
}

void fatalError(int code) {
  setError(code);
  if (!ending) exitStatus = code;
  endProgram();
}

}  // namespace mvn
