// fileExists, removePath and setCurrentDir.
#include <string>

#include "runtime/files/memory_name.h"
#include "runtime/files/rt_file.h"
#include "runtime/platform/files.h"
#include "runtime/platform/path_names.h"
#include "runtime/values/errors.h"
#include "runtime/values/error_trace.h"

namespace mvn {

bool fileExists(TextRef nameRef) {
  const char* name = nameRef;
  if (!name || !*name) return false;
  if (isMemoryName(name)) return true;
  return platform::pathKind(name) == platform::PathKind::RegularFile;
}

void removePath(TextRef pathRef) {
  const char* path = pathRef;
  if (!path || !*path) return;
  const std::string native = platform::nativePath(path);
  if (platform::isSymbolicLink(native.c_str())) {
    platform::deleteFile(native.c_str());  // the link itself, never its target
    return;
  }
  const platform::PathKind kind = platform::pathKind(native.c_str());
  if (kind == platform::PathKind::Missing) return;
  if (kind != platform::PathKind::Directory) {
    platform::deleteFile(native.c_str());
    return;
  }
  // A directory. Only a path that reads as the current directory (on Windows
  // whatever the separators and letter case) leaves it for its parent first.
  // The current directory under another spelling ("." say) is in use and
  // stays, as a directory in use does.
  const std::string current = platform::currentDirectory();
  if (platform::samePathName(current, native)) {
    platform::setCurrentDirectory((native + "/..").c_str());
  } else if (platform::samePathName(platform::absolutePath(native.c_str()), current)) {
    return;
  }
  platform::removeDirectory(native.c_str());
}

bool directoryExists(TextRef nameRef) {
  const char* name = nameRef;
  return name && *name && platform::pathKind(name) == platform::PathKind::Directory;
}

int setCurrentDir(TextRef pathRef) {
  const char* path = pathRef;
  errorCode = 0;
  if (platform::setCurrentDirectory(path)) return 1;
  failWith(3, "no such directory, or it cannot be entered", "setCurrentDir", path);
  return 0;
}

}  // namespace mvn
