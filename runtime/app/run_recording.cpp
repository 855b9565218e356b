#include "runtime/app/run_recording.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "runtime/app/automation.h"
#include "runtime/core/program_end.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/platform/gl_pixels.h"
#include "runtime/platform/process.h"
#include "runtime/platform/recording.h"
#include "runtime/platform/window.h"

#ifndef MORVANE_RELEASE
#define MORVANE_RELEASE "unreleased"
#endif

namespace mvn {

namespace {

constexpr unsigned kRgba = 0x1908;  // GL_RGBA
bool cutShort = false;

const char* setting(const char* name) {
  const char* text = platform::environment(name);
  return text && *text ? text : nullptr;
}

int frameHashInterval() {
  const char* text = setting("MORVANE_RECORD_FRAMES");
  if (!text) return 0;
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text, &end, 10);
  if (errno != 0 || *end != '\0' || value <= 0) return 0;
  return value > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(value);
}

// A replay that is over ends the program: as the recorded run ended where
// the recording was cut short, otherwise with the status that says why.
void endReplayedRun(platform::RunOver over) {
  switch (over) {
    case platform::RunOver::RecordingEnded: endProgram(); return;
    case platform::RunOver::Differs: endProgramWithStatus(platform::kReplayDiffersStatus); return;
    case platform::RunOver::Refused: endProgramWithStatus(platform::kReplayRefusedStatus); return;
  }
}

}  // namespace

std::string runBuildIdentifier() {
#if defined(MORVANE_RUN_SYSTEM)
  // A build that replays runs recorded on another system of the same
  // drawing (the Windows build under Wine replays Linux runs).
  const char* system = MORVANE_RUN_SYSTEM;
#elif defined(__EMSCRIPTEN__)
  const char* system = "web";
#elif defined(_WIN32)
  const char* system = "windows";
#elif defined(__linux__)
  const char* system = "linux";
#else
  const char* system = "other";
#endif
#if defined(__x86_64__)
  const char* processor = "x86_64";
#elif defined(__aarch64__)
  const char* processor = "aarch64";
#elif defined(__wasm32__)
  const char* processor = "wasm32";
#else
  const char* processor = "other";
#endif
  return std::string("Morvane ") + MORVANE_RELEASE + " " + system + "-" + processor;
}

// A multiply and a shift per 8 bytes, each step one-to-one: frames that
// differ in one word never share a hash.
uint64_t frameHash(const unsigned char* pixels, size_t size) {
  uint64_t h = 0xCBF29CE484222325ull ^ size;
  size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    uint64_t word;
    std::memcpy(&word, pixels + i, 8);
    h = (h ^ word) * 0x9E3779B97F4A7C15ull;
    h ^= h >> 32;
  }
  for (; i < size; ++i) {
    h = (h ^ pixels[i]) * 0x9E3779B97F4A7C15ull;
    h ^= h >> 32;
  }
  return h;
}

void beginRunRecording() {
  const platform::RunIdentity identity{runtimeSettings.appName.c_str(), runBuildIdentifier()};
  platform::onRunOver(endReplayedRun);
  if (const char* replay = setting("MORVANE_REPLAY")) {
    if (!platform::beginReplay(replay, identity, frameHoldDisabled()))
      endProgramWithStatus(platform::kReplayRefusedStatus);
    return;
  }
  if (const char* record = setting("MORVANE_RECORD"))
    platform::beginRecording(record, identity, frameHashInterval());
}

void markPresentedFrame(OpenGLRainbows& renderer) {
  if (platform::runMode() == platform::RunMode::Live) return;
  uint64_t hash = 0;
  const bool hashed = platform::frameHashWanted();
  if (hashed) {
    const platform::Rect client = platform::clientRect(renderer.window);
    static std::vector<unsigned char> pixels;
    pixels.resize(static_cast<size_t>(client.width()) * client.height() * 4);
    if (!pixels.empty())
      platform::readFramePixels(0, 0, client.width(), client.height(), kRgba, 4, pixels.data());
    hash = frameHash(pixels.data(), pixels.size());
  }
  platform::markFrame(hashed, hash);
}

void noteRunCutShort() { cutShort = true; }

int endRunRecording() { return platform::endRun(cutShort); }

}  // namespace mvn
