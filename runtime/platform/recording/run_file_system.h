// The system calls under the recording's reader and writer. Names are UTF-8;
// on Windows they reach the system as wide names, and one writer per file is
// kept by the share mode of the open instead of a lock.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <share.h>

#include "runtime/platform/win32/wide_names.h"
#else
#include <sys/file.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdint>
#include <string>

#include "runtime/platform/recording/run_file.h"

namespace mvn::platform::runfile {

#ifdef _WIN32
// The volume's serial number and the file's index (the C runtime's stat has
// no inode there). False when the file cannot be reached.
bool identityOf(int fd, FileIdentity& identity);
bool identityOf(const std::string& path, FileIdentity& identity);
using FileStatus = struct _stat64;
inline int statusOf(int fd, FileStatus& status) { return _fstat64(fd, &status); }
inline int statusOf(const std::string& path, FileStatus& status) {
  return _wstat64(win32::widePath(path.c_str()).c_str(), &status);
}
// Opens for reading; -1 with errno on failure.
inline int openForReading(const std::string& path) {
  return _wopen(win32::widePath(path.c_str()).c_str(), _O_RDONLY | _O_BINARY);
}
// Opens or creates for writing without truncating; busy when another writer
// holds the file (the open then fails).
inline int openForWriting(const std::string& path, bool& busy) {
  int fd = -1;
  const std::wstring name = win32::widePath(path.c_str());
  const errno_t e = _wsopen_s(&fd, name.c_str(), _O_WRONLY | _O_CREAT | _O_BINARY, _SH_DENYWR,
                              _S_IREAD | _S_IWRITE);
  struct _stat64 st;
  busy = e == EACCES && _wstat64(name.c_str(), &st) == 0 && (st.st_mode & _S_IFREG);
  if (e != 0) errno = e;
  return e == 0 ? fd : -1;
}
// The share mode already keeps other writers out.
inline bool lockForWriting(int) { return true; }
inline int truncateToEmpty(int fd) { return _chsize_s(fd, 0) == 0 ? 0 : -1; }
inline void blockingAgain(int) {}
#else
using FileStatus = struct stat;
inline int statusOf(int fd, FileStatus& status) { return fstat(fd, &status); }
inline int statusOf(const std::string& path, FileStatus& status) {
  return ::stat(path.c_str(), &status);
}
// The device and the inode. False when the file cannot be reached.
inline bool identityOf(int fd, FileIdentity& identity) {
  struct stat st;
  if (fstat(fd, &st) != 0) return false;
  identity = {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
  return true;
}
inline bool identityOf(const std::string& path, FileIdentity& identity) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  identity = {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
  return true;
}
// O_NONBLOCK: a FIFO without a writer must not hold the open; it is refused
// as soon as it is seen not to be a regular file.
inline int openForReading(const std::string& path) {
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  } while (fd < 0 && errno == EINTR);
  return fd;
}
// Not truncated at the open: a file another run is writing is left whole.
// O_NONBLOCK: a FIFO that nobody reads fails at once instead of waiting.
inline int openForWriting(const std::string& path, bool& busy) {
  busy = false;
  int fd;
  do {
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
  } while (fd < 0 && errno == EINTR);
  return fd;
}
// False when another writer holds the file's lock.
inline bool lockForWriting(int fd) {
  int locked;
  do {
    locked = flock(fd, LOCK_EX | LOCK_NB);
  } while (locked != 0 && errno == EINTR);
  return !(locked != 0 && errno == EWOULDBLOCK);
}
inline int truncateToEmpty(int fd) { return ftruncate(fd, 0); }
inline void blockingAgain(int fd) { fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK); }
#endif

}  // namespace mvn::platform::runfile
