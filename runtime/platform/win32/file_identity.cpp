// A file's identity on Windows: the volume's serial number and the file's
// index, read from an open handle.
#include <windows.h>
#include <io.h>

#include <cerrno>

#include "runtime/platform/recording/run_file_system.h"
#include "runtime/platform/win32/wide_names.h"

namespace mvn::platform::runfile {

namespace {

bool identityOfHandle(HANDLE handle, FileIdentity& identity) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handle, &info)) {
    errno = EIO;
    return false;
  }
  identity.device = info.dwVolumeSerialNumber;
  identity.file = (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
  return true;
}

}  // namespace

bool identityOf(int fd, FileIdentity& identity) {
  const intptr_t handle = _get_osfhandle(fd);
  if (handle == -1) {
    errno = EBADF;
    return false;
  }
  return identityOfHandle(reinterpret_cast<HANDLE>(handle), identity);
}

bool identityOf(const std::string& path, FileIdentity& identity) {
  // Attributes only, sharing everything: a writer holding the file open
  // keeps it reachable here.
  HANDLE handle = CreateFileW(win32::widePath(path.c_str()).c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    errno = ENOENT;
    return false;
  }
  const bool known = identityOfHandle(handle, identity);
  CloseHandle(handle);
  return known;
}

}  // namespace mvn::platform::runfile
