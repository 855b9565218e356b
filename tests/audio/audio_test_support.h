// Helpers shared by the audio tests.
#pragma once

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <thread>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/core/log.h"
#include "runtime/platform/audio.h"
#include "tests/support/environment.h"

namespace mvn::test {

inline std::string audioData(const char* name) {
  return std::string(MORVANE_SOURCE_DIR) + "/tests/data/audio/" + name;
}

inline std::vector<unsigned char> fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string logText() {
  std::ifstream in(logPath(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Reopens the sound output on another SDL audio driver ("dummy", "disk" with
// its output file, or a name no driver has, which leaves no device at all).
inline void reopenAudioOutput(const char* driver, const std::string& diskFile = "") {
  platform::closeAudioOutput();
  setenv("SDL_AUDIODRIVER", driver, 1);
  if (!diskFile.empty()) setenv("SDL_DISKAUDIOFILE", diskFile.c_str(), 1);
  platform::openAudioOutput();
}

// Waits until done() holds, for at most limitMs; the mixer runs on its own
// thread in real time, which a busy machine may slow down.
inline bool waitUntil(const std::function<bool()>& done, int limitMs = 5000) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

// Waits until the disk driver has written ms of 44.1 kHz 16-bit stereo output.
inline bool waitForOutput(const std::string& path, int ms) {
  const uintmax_t bytes = static_cast<uintmax_t>(44100 * 4) * ms / 1000;
  return waitUntil([&] {
    std::error_code error;
    return std::filesystem::file_size(path, error) >= bytes;
  });
}

// Counts the 16-bit samples of a raw output file that are not silence.
inline size_t audibleSamples(const std::string& path) {
  std::vector<unsigned char> raw = fileBytes(path);
  size_t count = 0;
  for (size_t i = 0; i + 1 < raw.size(); i += 2) {
    int sample = static_cast<int16_t>(raw[i] | (raw[i + 1] << 8));
    if (sample > 64 || sample < -64) count++;
  }
  return count;
}

}  // namespace mvn::test
