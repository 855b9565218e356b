// The child process on POSIX: fork and execve, standard output through a
// non-blocking pipe, a death signal so that it never outlives the test.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace mvn::testing {

class ChildProcess {
 public:
  // See child_process.h; argv0 is the child's name in its argument list
  // (the path when empty).
  ChildProcess(const std::string& path, const std::vector<std::string>& env,
               const std::string& directory = "", const std::string& argv0 = "",
               const std::vector<std::string>& args = {}, const std::string& errorFile = "") {
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e) {
      const std::string entry = *e;
      bool replaced = false;
      for (const std::string& add : env)
        if (entry.substr(0, entry.find('=') + 1) == nameOf(add) + "=") replaced = true;
      if (!replaced) environment.push_back(entry);
    }
    for (const std::string& add : env)
      if (add.find('=') != std::string::npos) environment.push_back(add);
    std::vector<std::string> arguments{argv0.empty() ? path : argv0};
    arguments.insert(arguments.end(), args.begin(), args.end());

    int pipeFds[2];
    if (pipe(pipeFds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlives a test that was killed
      dup2(pipeFds[1], STDOUT_FILENO);
      if (!errorFile.empty()) {
        const int errors = open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (errors < 0) _exit(126);
        dup2(errors, STDERR_FILENO);
        close(errors);
      }
      close(pipeFds[0]);
      close(pipeFds[1]);
      if (!directory.empty() && chdir(directory.c_str()) != 0) _exit(126);
      std::vector<char*> argv, envp;
      for (std::string& a : arguments) argv.push_back(a.data());
      argv.push_back(nullptr);
      for (std::string& e : environment) envp.push_back(e.data());
      envp.push_back(nullptr);
      execve(path.c_str(), argv.data(), envp.data());
      _exit(127);
    }
    close(pipeFds[1]);
    out_ = pipeFds[0];
    fcntl(out_, F_SETFL, O_NONBLOCK);
  }

  ~ChildProcess() {
    if (pid_ > 0 && status_ == kRunning) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) close(out_);
  }

  bool started() const { return pid_ > 0; }

  // The exit status, or -1 when the child had to be killed (or died of a signal).
  int wait(double seconds = 30) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (status_ == kRunning) {
      drain();
      int raw = 0;
      if (waitpid(pid_, &raw, WNOHANG) == pid_) {
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        break;
      }
      if (std::chrono::steady_clock::now() > end) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        status_ = -1;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    drain();
    return status_;
  }

  // SIGTERM: the runtime ends the program through its end routine on it.
  void terminate() {
    if (pid_ > 0 && status_ == kRunning) kill(pid_, SIGTERM);
  }

  const std::string& output() {
    drain();
    return output_;
  }

 private:
  static constexpr int kRunning = -2;

  static std::string nameOf(const std::string& entry) { return entry.substr(0, entry.find('=')); }

  void drain() {
    if (out_ < 0) return;
    char buffer[4096];
    ssize_t n;
    while ((n = read(out_, buffer, sizeof buffer)) > 0)
      output_.append(buffer, static_cast<size_t>(n));
  }

  pid_t pid_ = -1;
  int out_ = -1;
  int status_ = kRunning;
  std::string output_;
};

}  // namespace mvn::testing
