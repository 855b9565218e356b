#include "runtime/app/program_end.h"

#include <cstdio>
#include <cstdlib>

#include "runtime/values/errors.h"

namespace mvn {

void endProgram() {
  static bool ending = false;
  if (ending) return;
  ending = true;
  std::puts("exit");
  std::fflush(stdout);
  std::exit(0);
}

}  // namespace mvn
