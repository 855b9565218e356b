// Helpers shared by the audio tests.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/app/log.h"
#include "runtime/platform/audio.h"

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
