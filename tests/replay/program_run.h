// Runs a program on the runtime as a child process in a folder of its own
// (its temporary directory, so its log): its exit status, what it wrote to
// standard output and standard error, and its log.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace replay_test {

namespace fs = std::filesystem;

inline std::string fileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

// Polls until done() holds; false only after a limit no machine needs.
template <typename Done>
bool waitFor(Done done, double seconds = 60) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

struct Ran {
  int status = -1;  // the exit status; -1 when it had to be killed
  std::string out, err, log;
};

// A fresh folder below the build tree's temporary directory.
inline fs::path freshFolder(const std::string& name) {
  const fs::path folder = fs::path(MORVANE_BINARY_DIR) / "tmp" / ("replay_" + name);
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

class Program {
 public:
  // env: "NAME=value" entries put in place of the test's own.
  Program(const fs::path& executable, const fs::path& folder, std::vector<std::string> env)
      : folder_(folder) {
    env.push_back("TMPDIR=" + folder.string() + "/");
    env.push_back("MORVANE_NO_MESSAGEBOX=1");
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e) {
      const std::string entry = *e;
      const std::string name = entry.substr(0, entry.find('=') + 1);
      bool replaced = name.rfind("MORVANE_", 0) == 0;  // only the test's own settings count
      for (const std::string& add : env) replaced |= add.rfind(name, 0) == 0;
      if (!replaced) environment.push_back(entry);
    }
    environment.insert(environment.end(), env.begin(), env.end());
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string path = executable.string();
    char* argv[] = {path.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string out = (folder / "stdout.txt").string(), err = (folder / "stderr.txt").string();
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv, envp.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  bool started() const { return pid_ > 0; }
  // What an interrupt or the system's shutdown sends.
  void terminate() {
    if (pid_ > 0) kill(pid_, SIGTERM);
  }

  Ran wait(double seconds = 60) {
    Ran ran;
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (pid_ > 0) {
      int raw = 0;
      if (waitpid(pid_, &raw, WNOHANG) == pid_) {
        ran.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        pid_ = -1;
      } else if (std::chrono::steady_clock::now() > end) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
    }
    ran.out = fileText(folder_ / "stdout.txt");
    ran.err = fileText(folder_ / "stderr.txt");
    ran.log = fileText(folder_ / "ErrorLog.txt");
    return ran;
  }

 private:
  fs::path folder_;
  pid_t pid_ = -1;
};

inline Ran runProgram(const fs::path& executable, const fs::path& folder,
                      const std::vector<std::string>& env, double seconds = 60) {
  Program program(executable, folder, env);
  return program.wait(seconds);
}

}  // namespace replay_test
