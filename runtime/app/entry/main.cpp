// The process entry of every program on the runtime.
#include <string>

#include "runtime/core/log.h"
#include "runtime/app/program.h"
#include "runtime/core/runtime_objects.h"
#include "runtime/core/program_end.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/app/startup.h"
#include "runtime/platform/files.h"
#include "runtime/platform/process.h"
#include "runtime/platform/window.h"
#include "runtime/values/errors.h"
#include "runtime/values/named_functions.h"

namespace mvn {

void applicationMain(platform::ModuleHandle instance, const char* tail, int showCommand) {
  (void)tail;
  // A relative temporary directory is fixed now, before anything changes the
  // current directory: the log, the archive's files and the texture backup
  // all stay in one place whatever the program does later.
  platform::temporaryDirectory();
  commandLine = platform::commandLine();
  applyGameSettings();
  initialiseRuntime(instance, showCommand, runtimeSettings.appName.c_str());
  if (!runtimeObjects.mainWindow) {
    // Without a window nothing can be shown, read or closed: the program
    // would run unseen and unstoppable. It ends at once, as a failure.
    logLine("No window or OpenGL context: the program cannot run\n");
    writeStdErr("No window or OpenGL context: the program cannot run\n");
    endProgramWithStatus(1);
  }
  errorCode = 0;
  errorLine = 0;
  currentLine = 0;
  gameMain();
  if (findByName("MVN_ON_LOOP")) runLoop("MVN_ON_LOOP");
  endProgram();
}

}  // namespace mvn

int main() {
  const std::string line = mvn::platform::commandLine();
  int showCommand = mvn::platform::kShowDefault;
  mvn::platform::startupShowCommand(showCommand);
  mvn::applicationMain(mvn::platform::executableModule(), mvn::commandTail(line.c_str()),
                       showCommand);
  return 0;
}
