// File services on Windows: CreateFileW with wide names, no sharing for the
// exclusive opens, reads and writes at an offset through OVERLAPPED.
#include "runtime/platform/files.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <map>
#include <mutex>
#include <vector>

#include "runtime/platform/win32/wide_names.h"

namespace mvn::platform {

namespace {

using win32::utf8Path;
using win32::widePath;

// The runtime's file numbers stand for system handles.
std::mutex tableLock;
std::map<int, HANDLE>& handles() {
  static auto* table = new std::map<int, HANDLE>;
  return *table;
}
int nextNumber = 1;

int remember(HANDLE handle) {
  if (handle == INVALID_HANDLE_VALUE) return kNoFile;
  std::lock_guard<std::mutex> lock(tableLock);
  while (handles().count(nextNumber) || nextNumber <= 0) nextNumber = nextNumber <= 0 ? 1 : nextNumber + 1;
  const int number = nextNumber++;
  handles()[number] = handle;
  return number;
}

HANDLE handleOf(int number) {
  std::lock_guard<std::mutex> lock(tableLock);
  const auto it = handles().find(number);
  return it == handles().end() ? INVALID_HANDLE_VALUE : it->second;
}

bool isRegularFile(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info;
  return GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &info) &&
         !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Opens name sharing only what share allows (nothing by default); only a
// regular file is kept.
int openExclusive(const char* name, DWORD access, DWORD disposition, DWORD flags = 0, DWORD share = 0) {
  if (!name || !*name) return kNoFile;
  const std::wstring path = widePath(name);
  HANDLE handle = CreateFileW(path.c_str(), access, share, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL | flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return kNoFile;
  if (!isRegularFile(handle)) {
    CloseHandle(handle);
    return kNoFile;
  }
  return remember(handle);
}

DWORD attributesOf(const char* name) {
  if (!name || !*name) return INVALID_FILE_ATTRIBUTES;
  return GetFileAttributesW(widePath(name).c_str());
}

// The running user's SID in its text form ("S-1-5-21-..."); empty when the
// token cannot be read.
std::wstring userSid() {
  std::wstring text;
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return text;
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<unsigned char> buffer(size ? size : 1);
  wchar_t* sid = nullptr;
  if (GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
      ConvertSidToStringSidW(reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid, &sid)) {
    text = sid;
    LocalFree(sid);
  }
  CloseHandle(token);
  return text;
}

// The security descriptor that lets only the file's owner in: every right,
// deletion included, to the running user by name (the "owner rights" entry
// is not honoured everywhere: Wine then refuses the owner the deletion).
struct OwnerOnly {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  SECURITY_ATTRIBUTES attributes{};
  OwnerOnly() {
    const std::wstring sid = userSid();
    const std::wstring sddl = L"D:P(A;;FA;;;" + (sid.empty() ? std::wstring(L"OW") : sid) + L")";
    if (ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor,
                                                             nullptr)) {
      attributes.nLength = sizeof attributes;
      attributes.lpSecurityDescriptor = descriptor;
    }
  }
  ~OwnerOnly() {
    if (descriptor) LocalFree(descriptor);
  }
  SECURITY_ATTRIBUTES* get() { return descriptor ? &attributes : nullptr; }
};

// True when the running user owns the open file.
bool ownedByUs(HANDLE file) {
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetSecurityInfo(file, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr,
                      nullptr, &descriptor) != ERROR_SUCCESS)
    return false;
  bool ours = false;
  HANDLE token = nullptr;
  if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size ? size : 1);
    if (GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
      const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
      ours = owner && EqualSid(owner, user->User.Sid);
    }
    CloseHandle(token);
  }
  LocalFree(descriptor);
  return ours;
}

}  // namespace

std::string nativePath(const char* name) {
  std::string path = name ? name : "";
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

int openFileRead(const char* name) { return openExclusive(name, GENERIC_READ, OPEN_EXISTING); }

int createFile(const char* name) {
  if (!name || !*name) return kNoFile;
  const std::wstring path = widePath(name);
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
      return kNoFile;
    // The old name goes first (a link itself, never its target); a file that
    // is open cannot be deleted and is not replaced.
    if (!DeleteFileW(path.c_str())) {
      // A device ("NUL", "CON") is written through.
      HANDLE device = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
      if (device == INVALID_HANDLE_VALUE) return kNoFile;
      if (GetFileType(device) == FILE_TYPE_DISK) {
        CloseHandle(device);
        return kNoFile;
      }
      return remember(device);
    }
  }
  HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  return remember(handle);
}

int openFileAppend(const char* name) { return openExclusive(name, GENERIC_WRITE, OPEN_ALWAYS); }

int openLogAppend(const char* name) { return openExclusive(name, GENERIC_WRITE, OPEN_ALWAYS, 0, FILE_SHARE_READ); }

int64_t fileSize(int number) {
  LARGE_INTEGER size;
  const HANDLE handle = handleOf(number);
  if (handle == INVALID_HANDLE_VALUE || !GetFileSizeEx(handle, &size)) return -1;
  return size.QuadPart;
}

namespace {

// One transfer of at most 1 GiB; a DWORD holds no more.
DWORD chunkOf(int64_t remaining) { return static_cast<DWORD>(remaining < (1 << 30) ? remaining : (1 << 30)); }

// A transfer at an offset of the file.
OVERLAPPED overlappedAt(int64_t offset) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(static_cast<uint64_t>(offset));
  at.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(offset) >> 32);
  return at;
}

}  // namespace

int64_t readFileAt(int number, int64_t offset, void* destination, int64_t count) {
  const HANDLE handle = handleOf(number);
  if (handle == INVALID_HANDLE_VALUE || offset < 0 || count < 0) return -1;
  auto* out = static_cast<unsigned char*>(destination);
  int64_t done = 0;
  while (done < count) {
    const DWORD chunk = chunkOf(count - done);
    OVERLAPPED at = overlappedAt(offset + done);
    DWORD n = 0;
    if (!ReadFile(handle, out + done, chunk, &n, &at)) {
      if (GetLastError() == ERROR_HANDLE_EOF) break;
      return -1;
    }
    if (n == 0) break;
    done += n;
  }
  return done;
}

bool writeFileAt(int number, int64_t offset, const void* source, int64_t count) {
  const HANDLE handle = handleOf(number);
  if (handle == INVALID_HANDLE_VALUE || offset < 0 || count < 0) return false;
  const bool positioned = GetFileType(handle) == FILE_TYPE_DISK;
  const auto* in = static_cast<const unsigned char*>(source);
  int64_t done = 0;
  while (done < count) {
    const DWORD chunk = chunkOf(count - done);
    OVERLAPPED at = overlappedAt(offset + done);
    DWORD n = 0;
    // A device or a pipe has no positions: the bytes go in order.
    if (!WriteFile(handle, in + done, chunk, &n, positioned ? &at : nullptr) || n == 0)
      return false;
    done += n;
  }
  return true;
}

void closeFile(int number) {
  HANDLE handle = INVALID_HANDLE_VALUE;
  {
    std::lock_guard<std::mutex> lock(tableLock);
    const auto it = handles().find(number);
    if (it == handles().end()) return;
    handle = it->second;
    handles().erase(it);
  }
  CloseHandle(handle);
}

PathKind pathKind(const char* name) {
  DWORD attributes = attributesOf(name);
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    // A link: what it leads to.
    HANDLE target = CreateFileW(widePath(name).c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (target == INVALID_HANDLE_VALUE) return PathKind::Missing;
    BY_HANDLE_FILE_INFORMATION info;
    const bool known = GetFileInformationByHandle(target, &info);
    CloseHandle(target);
    if (!known) return PathKind::Other;
    attributes = info.dwFileAttributes;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return PathKind::Directory;
  if (attributes & FILE_ATTRIBUTE_DEVICE) return PathKind::Other;
  return PathKind::RegularFile;
}

bool isSymbolicLink(const char* name) {
  const DWORD attributes = attributesOf(name);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool deleteFile(const char* name) {
  return name && *name && DeleteFileW(widePath(name).c_str());
}

bool removeDirectory(const char* name) {
  return name && *name && RemoveDirectoryW(widePath(name).c_str());
}

std::string absolutePath(const char* name) {
  if (!name || !*name) return "";
  HANDLE handle = CreateFileW(widePath(name).c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return "";
  std::wstring path(MAX_PATH, L'\0');
  DWORD n = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
  if (n >= path.size()) {
    path.resize(n + 1);
    n = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
  }
  CloseHandle(handle);
  if (n == 0 || n >= path.size()) return "";
  path.resize(n);
  // Without the long-name prefix: "\\?\C:\x" is "C:\x", "\\?\UNC\s\x" is "\\s\x".
  if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0)
    path = L"\\\\" + path.substr(8);
  else if (path.compare(0, 4, L"\\\\?\\") == 0)
    path.erase(0, 4);
  return utf8Path(path);
}

std::string currentDirectory() {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  if (size == 0) return "";
  std::wstring path(size, L'\0');
  const DWORD n = GetCurrentDirectoryW(size, path.data());
  if (n == 0 || n >= size) return "";
  path.resize(n);
  return utf8Path(path);
}

bool setCurrentDirectory(const char* name) {
  return name && *name && SetCurrentDirectoryW(widePath(name).c_str());
}

std::string temporaryDirectory() {
  // The system resolves a relative TMP (or TEMP) against the current
  // directory of each call: the first answer is kept while the variables'
  // values stay the same, so later changes of directory never move the
  // temporary files.
  auto value = [](const wchar_t* name) {
    wchar_t text[MAX_PATH + 2];
    const DWORD n = GetEnvironmentVariableW(name, text, MAX_PATH + 2);
    return n > 0 && n < MAX_PATH + 2 ? std::wstring(text, n) : std::wstring();
  };
  static std::mutex lock;
  static std::wstring seenTmp, seenTemp;
  static std::string resolved;
  const std::wstring tmp = value(L"TMP"), temp = value(L"TEMP");
  std::lock_guard<std::mutex> guard(lock);
  if (!resolved.empty() && tmp == seenTmp && temp == seenTemp) return resolved;
  wchar_t buffer[MAX_PATH + 2];
  const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
  std::string dir = n > 0 && n <= MAX_PATH + 1 ? utf8Path(std::wstring(buffer, n)) : "";
  if (dir.empty()) dir = currentDirectory();
  if (!dir.empty() && dir.back() != '/') dir += '/';
  seenTmp = tmp;
  seenTemp = temp;
  resolved = dir;
  return dir;
}

std::string executablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return "";
    if (n < path.size()) {
      path.resize(n);
      return utf8Path(path);
    }
    if (path.size() >= 32768) return "";
    path.resize(path.size() * 2);
  }
}

int createPrivateFile(const char* name) {
  if (!name || !*name) return kNoFile;
  // CREATE_NEW refuses every existing name, a link included.
  OwnerOnly security;
  HANDLE handle = CreateFileW(widePath(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                              security.get(), CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  return remember(handle);
}

int openOwnFileRead(const char* name) {
  if (!name || !*name) return kNoFile;
  HANDLE handle = CreateFileW(widePath(name).c_str(), GENERIC_READ | READ_CONTROL, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                              nullptr);
  if (handle == INVALID_HANDLE_VALUE) return kNoFile;
  BY_HANDLE_FILE_INFORMATION info;
  const bool plain = isRegularFile(handle) && GetFileInformationByHandle(handle, &info) &&
                     !(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
  if (!plain || !ownedByUs(handle)) {
    CloseHandle(handle);
    return kNoFile;
  }
  return remember(handle);
}

}  // namespace mvn::platform
