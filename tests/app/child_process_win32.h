// The child process on Windows: CreateProcessW with a quoted UTF-16 command
// line and an environment block of its own, standard output through a pipe
// read as far as it holds data (PeekNamedPipe), and a job object that kills
// the child when the test lets go of it, however the test ends.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cwctype>
#include <string>
#include <thread>
#include <vector>

namespace mvn::testing {

class ChildProcess {
 public:
  ChildProcess(const std::string& path, const std::vector<std::string>& env,
               const std::string& directory = "", const std::string& argv0 = "",
               const std::vector<std::string>& args = {}, const std::string& errorFile = "") {
    std::wstring commandLine = quoted(wide(argv0.empty() ? path : argv0));
    for (const std::string& a : args) commandLine += L" " + quoted(wide(a));
    std::wstring block = environmentBlock(env);

    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&out_, &writeEnd, &inherited, 1 << 16)) return;
    SetHandleInformation(out_, HANDLE_FLAG_INHERIT, 0);
    HANDLE errors = errorFile.empty()
                        ? inheritable(GetStdHandle(STD_ERROR_HANDLE))
                        : CreateFileW(wide(errorFile).c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      &inherited, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (errors == INVALID_HANDLE_VALUE) errors = nullptr;
    HANDLE input = inheritable(GetStdHandle(STD_INPUT_HANDLE));

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = writeEnd;
    startup.hStdError = errors;
    PROCESS_INFORMATION info{};
    const std::wstring wideDirectory = wide(directory);
    const bool started =
        (errorFile.empty() || errors) &&
        CreateProcessW(wide(path).c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                       CREATE_UNICODE_ENVIRONMENT | CREATE_SUSPENDED, block.data(),
                       directory.empty() ? nullptr : wideDirectory.c_str(), &startup, &info);
    CloseHandle(writeEnd);
    if (errors) CloseHandle(errors);
    if (input) CloseHandle(input);
    if (!started) return;

    // In the job before its first instruction: its own children go with it.
    job_ = CreateJobObjectW(nullptr, nullptr);
    if (job_) {
      JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
      limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
      SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
      AssignProcessToJobObject(job_, info.hProcess);
    }
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
  }

  ~ChildProcess() {
    if (process_ && status_ == kRunning) {
      TerminateProcess(process_, 1);
      WaitForSingleObject(process_, INFINITE);
    }
    if (process_) CloseHandle(process_);
    if (job_) CloseHandle(job_);
    if (out_) CloseHandle(out_);
  }

  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return process_ != nullptr; }

  int wait(double seconds = 30) {
    if (!process_) return -1;
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (status_ == kRunning) {
      drain();
      if (WaitForSingleObject(process_, 10) == WAIT_OBJECT_0) {
        DWORD code = 0;
        status_ = GetExitCodeProcess(process_, &code) ? static_cast<int>(code) : -1;
        break;
      }
      if (std::chrono::steady_clock::now() > end) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, INFINITE);
        status_ = -1;
        break;
      }
    }
    drain();
    if (carriageReturn_) output_ += '\r', carriageReturn_ = false;  // the last byte it wrote
    return status_;
  }

  // Windows has no termination signal: an end request from outside is a
  // close message to the program's windows (as the task list's "end task"
  // sends it), which the runtime takes as its window's close.
  void terminate() {
    if (!process_ || status_ != kRunning) return;
    EnumWindows(
        [](HWND window, LPARAM id) -> BOOL {
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          if (owner == static_cast<DWORD>(id)) PostMessageW(window, WM_CLOSE, 0, 0);
          return TRUE;
        },
        static_cast<LPARAM>(processId_));
  }

  const std::string& output() {
    drain();
    return output_;
  }

 private:
  static constexpr int kRunning = -2;

  static std::wstring wide(const std::string& text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), n);
    return result;
  }

  // One argument as the C runtime's command-line parser reads it back:
  // quoted when empty or holding blanks or quotes, backslashes before a quote
  // (and before the closing quote) doubled.
  static std::wstring quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
      return argument;
    std::wstring result = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
      if (c == L'\\') {
        ++backslashes;
        continue;
      }
      if (c == L'"') backslashes = backslashes * 2 + 1;
      result.append(backslashes, L'\\');
      backslashes = 0;
      result += c;
    }
    result.append(backslashes * 2, L'\\');
    return result + L"\"";
  }

  static std::wstring upper(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
    return text;
  }
  // The name of "NAME=value" (or of "NAME"); the entries of the drives'
  // current directories ("=C:=C:\\...") are named by their drive.
  static std::wstring nameOf(const std::wstring& entry) {
    return upper(entry.substr(0, entry.find(L'=', 1)));
  }

  // The test's environment with the additions and removals, sorted by name
  // as the system keeps it (names compare without case), double-terminated.
  static std::wstring environmentBlock(const std::vector<std::string>& env) {
    std::vector<std::wstring> entries;
    std::vector<std::wstring> changed;
    for (const std::string& e : env) changed.push_back(nameOf(wide(e)));
    if (wchar_t* own = GetEnvironmentStringsW()) {
      for (const wchar_t* e = own; *e; e += wcslen(e) + 1) {
        const std::wstring entry = e;
        if (std::find(changed.begin(), changed.end(), nameOf(entry)) == changed.end())
          entries.push_back(entry);
      }
      FreeEnvironmentStringsW(own);
    }
    for (const std::string& e : env)
      if (e.find('=') != std::string::npos) entries.push_back(wide(e));
    std::sort(entries.begin(), entries.end(),
              [](const std::wstring& a, const std::wstring& b) { return nameOf(a) < nameOf(b); });
    std::wstring block;
    for (const std::wstring& e : entries) block += e + L'\0';
    if (entries.empty()) block += L'\0';
    return block + L'\0';
  }

  // A copy of one of the test's own standard handles that the child inherits.
  static HANDLE inheritable(HANDLE own) {
    HANDLE copy = nullptr;
    if (own == nullptr || own == INVALID_HANDLE_VALUE ||
        !DuplicateHandle(GetCurrentProcess(), own, GetCurrentProcess(), &copy, 0, TRUE,
                         DUPLICATE_SAME_ACCESS))
      return nullptr;
    return copy;
  }

  void drain() {
    if (!out_) return;
    char buffer[4096];
    DWORD available = 0;
    while (PeekNamedPipe(out_, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
      DWORD n = 0;
      if (!ReadFile(out_, buffer, std::min<DWORD>(available, sizeof buffer), &n, nullptr) || n == 0)
        break;
      appendText(buffer, n);
    }
  }

  // The child writes text in the system's form: its "\r\n" line ends are
  // kept as "\n", as a POSIX child writes them (a "\r" at the end of one
  // read waits for the next).
  void appendText(const char* bytes, DWORD n) {
    for (DWORD i = 0; i < n; ++i) {
      if (carriageReturn_) {
        carriageReturn_ = false;
        if (bytes[i] != '\n') output_ += '\r';
      }
      if (bytes[i] == '\r') carriageReturn_ = true;
      else output_ += bytes[i];
    }
  }

  HANDLE process_ = nullptr;
  HANDLE job_ = nullptr;
  HANDLE out_ = nullptr;
  DWORD processId_ = 0;
  int status_ = kRunning;
  bool carriageReturn_ = false;
  std::string output_;
};

}  // namespace mvn::testing
