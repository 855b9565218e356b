// Fixture of the sound tests: a sound system on SDL's dummy driver, WAV files
// written to the build tree's temporary directory, and the mixed output of the
// disk driver read back frame by frame.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/audio/sound_slots.h"
#include "runtime/audio/sound_system.h"
#include "runtime/values/errors.h"
#include "tests/audio/audio_test_support.h"
#include "tests/audio/wav_builder.h"

namespace mvn::test {

inline std::string tmpPath(const std::string& name) {
  return std::string(MORVANE_BINARY_DIR) + "/tmp/" + name;
}

inline std::string writeWav(const std::string& name, const std::string& bytes) {
  const std::string path = tmpPath(name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

// Mono 16-bit at 44.1 kHz holding one constant level: the mixer passes it
// through unchanged, so the output shows each voice's gain as a plain number.
constexpr int kLevel = 8000;
inline std::string constantWav(int frames, int level = kLevel) {
  return testwav::wav({1, 44100, 16}, testwav::constantFrames(frames, {level}));
}

class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reopenAudioOutput("dummy");
    createSoundSystem(nullptr);
    errorCode = 0;
  }
  void TearDown() override {
    destroySoundChannels();
    destroySoundSystem();
    errorCode = 0;
  }
};

// The disk driver's output: 16-bit stereo frames at 44.1 kHz.
struct Output {
  std::vector<int16_t> left, right;

  explicit Output(const std::string& path) {
    const std::vector<unsigned char> raw = fileBytes(path);
    for (size_t i = 0; i + 3 < raw.size(); i += 4) {
      left.push_back(static_cast<int16_t>(raw[i] | raw[i + 1] << 8));
      right.push_back(static_cast<int16_t>(raw[i + 2] | raw[i + 3] << 8));
    }
  }
  static int peak(const std::vector<int16_t>& side) {
    int best = 0;
    for (int16_t s : side) best = std::max(best, std::abs(static_cast<int>(s)));
    return best;
  }
  // Frames of the left side, each counted by how many voices of level sound in it.
  int64_t voiceFrames(int level) const {
    int64_t sum = 0;
    for (int16_t s : left) sum += (std::abs(static_cast<int>(s)) + level / 2) / level;
    return sum;
  }
};

inline bool near(int got, int want) { return std::abs(got - want) <= want / 100 + 2; }

}  // namespace mvn::test
