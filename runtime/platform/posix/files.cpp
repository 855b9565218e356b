// File services on POSIX: open(2), pread/pwrite, stat, flock for exclusive opens.
#include "runtime/platform/files.h"
#include "runtime/platform/path_names.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>
#ifdef __EMSCRIPTEN__
#include <map>
#include <utility>
#endif

namespace mvn::platform {

namespace {

#ifdef __EMSCRIPTEN__
// The browser's file system has no advisory locks, and the page is the only
// process: it keeps the table of its exclusively open files itself.
std::map<std::pair<dev_t, ino_t>, int> lockedFiles;  // file -> descriptor

bool lockExclusive(int fd) {
  struct stat st;
  if (fstat(fd, &st) != 0) return true;
  return lockedFiles.emplace(std::make_pair(st.st_dev, st.st_ino), fd).second;
}

void unlock(int fd) {
  for (auto it = lockedFiles.begin(); it != lockedFiles.end(); ++it) {
    if (it->second == fd) {
      lockedFiles.erase(it);
      return;
    }
  }
}
#else
// Takes the exclusive advisory lock; false only when someone else holds it.
// File systems without locks do not make the open fail.
bool lockExclusive(int fd) {
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    return errno != EWOULDBLOCK;
  }
  return true;
}

void unlock(int) {}  // closing releases the lock
#endif

int openLocked(const char* name, int flags, bool regularOnly) {
  if (!name || !*name) return kNoFile;
  const std::string path = nativePath(name);
  int fd;
  do {
    // O_NONBLOCK keeps a FIFO from blocking the open; it is refused below.
    fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return kNoFile;
  struct stat st;
  if (fstat(fd, &st) != 0 || (regularOnly && !S_ISREG(st.st_mode)) ||
      !lockExclusive(fd)) {
    ::close(fd);
    return kNoFile;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

// A device, a FIFO or a socket at the name is written through and stays.
// O_NONBLOCK keeps the open of a FIFO without a reader from waiting for one
// (it fails with ENXIO, as a socket does); writes block again afterwards.
// Nothing is created, and only a special file is taken: one that became a
// regular file or a folder meanwhile is left to the caller's next try.
int openSpecialForWriting(const std::string& path) {
  int fd;
  do {
    fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return kNoFile;
  struct stat st;
  if (fstat(fd, &st) != 0 || S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return kNoFile;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

bool isSpecialFile(mode_t mode) { return S_ISCHR(mode) || S_ISBLK(mode) || S_ISFIFO(mode) || S_ISSOCK(mode); }

}  // namespace

std::string nativePath(const char* name) {
  std::string path = name ? name : "";
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

int openFileRead(const char* name) { return openLocked(name, O_RDONLY, true); }

int createFile(const char* name) {
  if (!name || !*name) return kNoFile;
  const std::string path = nativePath(name);
  // The old name goes first, so a write never reaches another name of the
  // same file (a hard link) or a link's target. A file that is open is not
  // replaced: its lock is taken and held until the new file stands there.
  int old = -1;
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return kNoFile;
    if (isSpecialFile(st.st_mode)) return openSpecialForWriting(path);
    if (S_ISREG(st.st_mode)) {
      old = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
      if (old >= 0 && !lockExclusive(old)) {
        ::close(old);
        return kNoFile;
      }
    }
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
      if (old >= 0) closeFile(old);
      return kNoFile;
    }
  }
  // O_EXCL: a name that appeared meanwhile, a link included, is not followed.
  const int fd = openLocked(name, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW, true);
  if (old >= 0) closeFile(old);
  return fd;
}

int openFileAppend(const char* name) { return openLocked(name, O_WRONLY | O_CREAT, true); }

// Readers take no lock here, so the lock of any append leaves them be.
int openLogAppend(const char* name) { return openFileAppend(name); }

int64_t fileSize(int handle) {
  struct stat st;
  if (handle < 0 || fstat(handle, &st) != 0) return -1;
  return static_cast<int64_t>(st.st_size);
}

int64_t readFileAt(int handle, int64_t offset, void* destination, int64_t count) {
  if (handle < 0 || offset < 0 || count < 0) return -1;
  auto* out = static_cast<unsigned char*>(destination);
  int64_t done = 0;
  while (done < count) {
    const int64_t chunk = count - done < (1 << 30) ? count - done : (1 << 30);
    const ssize_t n = ::pread(handle, out + done, static_cast<size_t>(chunk),
                              static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (n == 0) break;
    done += n;
  }
  return done;
}

bool writeFileAt(int handle, int64_t offset, const void* source, int64_t count) {
  if (handle < 0 || offset < 0 || count < 0) return false;
  const auto* in = static_cast<const unsigned char*>(source);
  int64_t done = 0;
  while (done < count) {
    const int64_t chunk = count - done < (1 << 30) ? count - done : (1 << 30);
    ssize_t n = ::pwrite(handle, in + done, static_cast<size_t>(chunk), static_cast<off_t>(offset + done));
    // A FIFO or a terminal has no positions: the bytes go in order.
    if (n < 0 && errno == ESPIPE) n = ::write(handle, in + done, static_cast<size_t>(chunk));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    done += n;
  }
  return true;
}

void closeFile(int handle) {
  if (handle < 0) return;
  unlock(handle);
  ::close(handle);
}

PathKind pathKind(const char* name) {
  if (!name || !*name) return PathKind::Missing;
  struct stat st;
  if (::stat(nativePath(name).c_str(), &st) != 0) return PathKind::Missing;
  if (S_ISREG(st.st_mode)) return PathKind::RegularFile;
  if (S_ISDIR(st.st_mode)) return PathKind::Directory;
  return PathKind::Other;
}

bool isSymbolicLink(const char* name) {
  struct stat st;
  return name && *name && ::lstat(nativePath(name).c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool deleteFile(const char* name) {
  return name && *name && ::unlink(nativePath(name).c_str()) == 0;
}

bool removeDirectory(const char* name) {
  return name && *name && ::rmdir(nativePath(name).c_str()) == 0;
}

std::string absolutePath(const char* name) {
  if (!name || !*name) return "";
  char* resolved = ::realpath(nativePath(name).c_str(), nullptr);
  if (!resolved) return "";
  std::string path = resolved;
  std::free(resolved);
  return path;
}

std::string currentDirectory() {
  std::vector<char> buffer(PATH_MAX + 1);
  if (!::getcwd(buffer.data(), buffer.size())) return "";
  return buffer.data();
}

bool setCurrentDirectory(const char* name) {
  return name && *name && ::chdir(nativePath(name).c_str()) == 0;
}

std::string temporaryDirectory() {
  // A relative value is resolved against the current directory when the
  // variable's value is first read and kept while the value stays the same,
  // so later changes of directory never move the temporary files.
  static std::string seenValue, resolved;
  const char* tmp = std::getenv("TMPDIR");
  const std::string value = tmp && *tmp ? tmp : "/tmp";
  if (!resolved.empty() && value == seenValue) return resolved;
  std::string dir = nativePath(value.c_str());
  if (!isAbsolutePath(dir)) {
    const std::string here = currentDirectory();
    if (!here.empty()) dir = here + (here.back() == '/' ? "" : "/") + dir;
  }
  if (dir.back() != '/') dir += '/';
  seenValue = value;
  resolved = dir;
  return dir;
}

std::string executablePath() {
#ifdef __EMSCRIPTEN__
  // In a browser page the folder /page of the virtual file system stands for
  // the page's folder, and the page names the program (its "_" variable).
  const char* name = std::getenv("_");
  std::string base = name && *name ? name : "program";
  const size_t slash = base.find_last_of('/');
  if (slash != std::string::npos) base.erase(0, slash + 1);
  return "/page/" + base;
#else
  std::vector<char> buffer(PATH_MAX + 1);
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return "";
  return std::string(buffer.data(), static_cast<size_t>(n));
#endif
}

}  // namespace mvn::platform

namespace mvn::platform {

namespace {

int openNoFollow(const char* name, int flags, mode_t mode) {
  if (!name || !*name) return kNoFile;
  const std::string path = nativePath(name);
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, mode);
  } while (fd < 0 && errno == EINTR);
  return fd < 0 ? kNoFile : fd;
}

}  // namespace

int createPrivateFile(const char* name) {
  // O_EXCL refuses every existing name, a symbolic link included.
  const int fd = openNoFollow(name, O_RDWR | O_CREAT | O_EXCL, S_IRUSR | S_IWUSR);
  if (fd == kNoFile) return kNoFile;
  if (!lockExclusive(fd)) {
    ::close(fd);
    return kNoFile;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

int openOwnFileRead(const char* name) {
  const int fd = openNoFollow(name, O_RDONLY, 0);
  if (fd == kNoFile) return kNoFile;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() ||
      !lockExclusive(fd)) {
    ::close(fd);
    return kNoFile;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

}  // namespace mvn::platform
