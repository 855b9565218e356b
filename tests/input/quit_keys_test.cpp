// Escape and left Alt with F4 end a running program at its next frame.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string fileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int run(const std::string& command) { return std::system(command.c_str()); }

bool endsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

class QuitKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    program = fs::path(MORVANE_TEST_PROGRAMS) / "input_quit";
    if (!fs::exists(program)) GTEST_SKIP() << "no " << program;
    if (!std::getenv("DISPLAY") || run("command -v xdotool >/dev/null") != 0) {
      GTEST_SKIP() << "needs a display and xdotool";
    }
    dir = fs::path(MORVANE_BINARY_DIR) / "tmp" /
          ("quit-keys-" + std::to_string(getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }

  void TearDown() override {
    if (child > 0) {
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
    }
  }

  // Starts the program, waits until its frame loop runs and gives its window
  // the keyboard focus; a key sent from then on reaches the program.
  void start(const char* quitKeys, const char* videoDriver = nullptr, const char* music = nullptr) {
    const fs::path out = dir / "stdout.txt";
    // What an earlier start of the same test printed is no sign of this one.
    fs::remove(out);
    fs::remove(askFile());
    child = fork();
    if (child == 0) {
      setenv("TMPDIR", dir.c_str(), 1);
      setenv("MVN_QUIT_KEYS", quitKeys, 1);
      setenv("MVN_ASK", askFile().c_str(), 1);
      if (videoDriver) setenv("SDL_VIDEODRIVER", videoDriver, 1);
      if (music) {
        setenv("MVN_MUSIC", music, 1);
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", (dir / "sound.raw").c_str(), 1);
      }
      std::freopen(out.c_str(), "w", stdout);
      execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    ASSERT_GT(child, 0);
    ASSERT_TRUE(waitUntil([&] { return printed("ready\n"); })) << "the program never became ready";
    if (videoDriver) return;  // a window of no display: nothing to focus
    // This program's window (not one of an earlier start that the display
    // has not taken down yet), once the display shows it, made the focus.
    const std::string focus = "xdotool search --sync --onlyvisible --pid " + std::to_string(child) +
                              " --name '^Input Quit Probe$' windowfocus --sync >/dev/null 2>&1";
    ASSERT_TRUE(waitUntil([&] { return run(focus) == 0; })) << "the window never took the focus";
  }

  fs::path askFile() const { return dir / "ask"; }

  bool printed(const std::string& line) { return fileText(dir / "stdout.txt").find(line) != std::string::npos; }

  // Asks the program whether it still runs, some frames after everything sent
  // so far; false when it ended instead. "end" has it end itself afterwards.
  bool stillRunning(const char* word = "run") {
    {
      std::ofstream(dir / "ask.part") << word << "\n";
    }
    fs::rename(dir / "ask.part", askFile());
    const bool answered = waitUntil([&] { return printed("still running\n") || !running(); });
    return answered && printed("still running\n");
  }

  // Polls until done() holds or the program ended; false only when neither
  // came within a limit long enough for any machine.
  template <typename Done>
  bool waitUntil(Done done) {
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    while (!done()) {
      if (child <= 0 || Clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
  }

  // Holds the keys a while (what decides is only that they went down).
  static void hold(const std::string& keys) {
    run("xdotool keydown " + keys + " && sleep 0.3 && xdotool keyup " + keys);
  }

  bool running() {
    if (child <= 0) return false;
    int status = 0;
    pid_t done = waitpid(child, &status, WNOHANG);
    if (done == child) {
      child = -1;
      exitStatus = status;
      return false;
    }
    return true;
  }

  // Waits for the program's end; false only after a limit no machine needs.
  bool ends() {
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    while (running()) {
      if (Clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
  }

  void expectOrderlyEnd() {
    ASSERT_TRUE(WIFEXITED(exitStatus));
    EXPECT_EQ(WEXITSTATUS(exitStatus), 0);
    EXPECT_TRUE(endsWith(fileText(dir / "stdout.txt"), "exit\n")) << fileText(dir / "stdout.txt");
    const std::string log = fileText(dir / "ErrorLog.txt");
    EXPECT_TRUE(endsWith(log, "Shut down MVN\nmvn is shut down\n")) << log;
  }

  fs::path program, dir;
  pid_t child = -1;
  int exitStatus = 0;
};

TEST_F(QuitKeys, EscapeEndsTheProgram) {
  start("1");
  hold("Escape");
  ASSERT_TRUE(ends());
  expectOrderlyEnd();
}

// Escape pressed and released with no delay between, as one event pump may
// see both: the tap still ends the program, every time, however soon after
// the window took the focus it comes.
TEST_F(QuitKeys, AnEscapeTapShorterThanAFrameEndsTheProgramEveryTime) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    SCOPED_TRACE("attempt " + std::to_string(attempt));
    start("1");
    run("xdotool key --delay 0 Escape");
    ASSERT_TRUE(ends());
    expectOrderlyEnd();
  }
}

TEST_F(QuitKeys, LeftAltWithF4EndsTheProgram) {
  start("1");
  hold("Alt_L+F4");
  ASSERT_TRUE(ends());
  expectOrderlyEnd();
}

TEST_F(QuitKeys, WithQuitKeysOffEscapeIsAnOrdinaryKeyButAltF4StillEnds) {
  start("0");
  hold("Escape");
  EXPECT_TRUE(stillRunning());
  hold("Alt_L+F4");
  ASSERT_TRUE(ends());
  expectOrderlyEnd();
}

TEST_F(QuitKeys, DevicesThatAcquireLogNothing) {
  start("1");
  hold("Escape");
  ASSERT_TRUE(ends());
  const std::string log = fileText(dir / "ErrorLog.txt");
  EXPECT_NE(log.find("Create DXin\nreptr\n"), std::string::npos) << log;
  EXPECT_NE(log.find("Win: 10, 0\n"), std::string::npos) << log;
}

TEST_F(QuitKeys, WithoutInputDevicesNoKeyEndsTheProgram) {
  // A display driver without keyboard or mouse: Escape goes to no program.
  start("1", "offscreen");
  hold("Escape");
  EXPECT_TRUE(stillRunning("end"));
  ASSERT_TRUE(ends());
  expectOrderlyEnd();
  const std::string log = fileText(dir / "ErrorLog.txt");
  EXPECT_NE(log.find("Create DXin\nNo DX_Input\nreptr\n"), std::string::npos) << log;
}

// Starts of sound in 44.1 kHz 16-bit stereo output: 10 ms blocks that are
// audible after one that was not.
int soundStarts(const std::string& raw) {
  const size_t blockBytes = 441 * 4;
  int starts = 0;
  bool audible = false;
  for (size_t at = 0; at + blockBytes <= raw.size(); at += blockBytes) {
    bool loud = false;
    for (size_t i = at; i < at + blockBytes; i += 2) {
      const int sample = static_cast<int16_t>(static_cast<uint8_t>(raw[i]) | static_cast<uint8_t>(raw[i + 1]) << 8);
      if (sample > 256 || sample < -256) loud = true;
    }
    if (loud && !audible) starts++;
    audible = loud;
  }
  return starts;
}

TEST_F(QuitKeys, LoopingMusicStartsOverEveryHalfSecondUntilTheEnd) {
  const std::string tone = std::string(MORVANE_SOURCE_DIR) + "/tests/data/audio/tone300ms.wav";
  start("1", nullptr, tone.c_str());
  // The frame loop starts the tone over every 500 ms: three starts, however
  // long the machine takes to play them.
  ASSERT_TRUE(waitUntil([&] { return soundStarts(fileText(dir / "sound.raw")) >= 3; }))
      << soundStarts(fileText(dir / "sound.raw")) << " starts";
  hold("Escape");
  ASSERT_TRUE(ends());
  expectOrderlyEnd();
  // 300 ms of tone, restarted by the frame loop every 500 ms.
  EXPECT_GE(soundStarts(fileText(dir / "sound.raw")), 3);
}

}  // namespace
