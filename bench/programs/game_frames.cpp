// Quadrivolant's own passes shown over and over through the real frame loop,
// for whole-program measurements (scripts/bench.sh). MORVANE_BENCH_FRAME picks
// the frame:
//   intro   the opening static over the reference picture, with the board,
//           arrows and blocks (the static is drawn in every pass)
//   solved  a solved board with its 51 confetti strips, arrows and blocks
// MORVANE_BENCH_FPS sets the frame rate (default 60; 0 holds no more than the
// runtime's shortest period). With MORVANE_BENCH_PASSES=n the program ends after
// n frames past the first and writes "frames per second: <f>" and "cpu seconds:
// <s>" (the whole process, the rasteriser's threads included) for those n
// frames. When MORVANE_BENCH_LAUNCH_NS holds the wall clock in nanoseconds at
// the launch, the time from there to the first presented frame is written as
// "first frame ms: <t>". At the end it writes "end requested ns: <t>", the
// wall clock when it asks to end, for the time from there to the exit.
// The program uses only commands every version of the runtime has, so that the
// benchmark script can build it on an older commit too.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/board.h"
#include "game/commands.h"
#include "game/game_loop.h"
#include "morvane/morvane.h"
#if __has_include("runtime/core/runtime_settings.h")
#else
#endif

namespace {

bool solvedFrame() {
  const char* kind = std::getenv("MORVANE_BENCH_FRAME");
  return kind && std::strcmp(kind, "solved") == 0;
}

long environmentNumber(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::atol(text) : fallback;
}

double processCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double wallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void reportFirstFrame() {
  const char* launch = std::getenv("MORVANE_BENCH_LAUNCH_NS");
  if (!launch || !*launch) return;
  const long long now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
  std::printf("first frame ms: %.1f\n", (now - std::atoll(launch)) / 1e6);
  std::fflush(stdout);
}

// The wall clock in nanoseconds when the program asks to end: the script
// measures from there to the process's exit.
void reportEndRequest() {
  const long long now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
  std::printf("end requested ns: %lld\n", now);
  std::fflush(stdout);
}

}  // namespace

namespace mvn {

void applyGameSettings() {
  runtimeSettings.screenWidth = 640;
  runtimeSettings.screenHeight = 480;
  runtimeSettings.fullScreen = 0;
  runtimeSettings.exclusiveMouse = 1;
  runtimeSettings.frameRate = int(environmentNumber("MORVANE_BENCH_FPS", 60));
  runtimeSettings.debugMode = 0;
  runtimeSettings.multisample = 0;
  runtimeSettings.appName = "Quadrivolant frames";
}

// The game's own start, then its passes with the loop state held on one frame.
void gameMain() {
  setScreen(800, 480, 0);
  showSystemPointer(1.0);
  setCurrentDir("Media");
  setArchive("Media.sbx", "Media.sbx");
  quadrivolant::loadAnim("arrows.png", 200, 60, 60);
  quadrivolant::loadAnim("ticker.png", 17, 12, 12);
  loadSprite("block.png", 501);
  quadrivolant::loadAnim("static.png", 300, 8, 8);
  quadrivolant::board.dimension(10, 10);
  quadrivolant::dealPicture();
  const bool solved = solvedFrame();
  if (solved) {
    for (int y = 1; y <= 3; ++y) {
      for (int x = 1; x <= 3; ++x) quadrivolant::board(x, y) = (y - 1) * 3 + (x - 1);
    }
  }
  quadrivolant::startGameLoop();
  quadrivolant::LoopState loop;
  const long passes = environmentNumber("MORVANE_BENCH_PASSES", 0);
  double wallStart = 0, cpuStart = 0;
  for (long frame = 0;; ++frame) {
    // The intro's static is drawn while frameCount is 59 or less.
    loop.frameCount = solved ? 100 : 0;
    quadrivolant::gamePass(loop);
    showScreen();
    if (frame == 0) {
      reportFirstFrame();
      wallStart = wallSeconds();
      cpuStart = processCpuSeconds();
    }
    if (passes > 0 && frame == passes) {
      std::printf("frames per second: %.2f\ncpu seconds: %.3f\n", passes / (wallSeconds() - wallStart),
                  processCpuSeconds() - cpuStart);
      reportEndRequest();
      endProgram();
    }
  }
}

}  // namespace mvn
