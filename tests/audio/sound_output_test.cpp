// What the mixer makes of plays: the disk driver's output for each case.
#include <string>
#include <vector>

#include "runtime/audio/sound_play.h"
#include "runtime/platform/audio.h"
#include "tests/audio/sound_test_support.h"

namespace mvn {
namespace {

using test::kLevel;
using test::Output;
using SoundOutput = test::SoundTest;

struct Play {
  double pan, volume;
  int handleVoice;  // the handle's voice, or -1 for a refused play
  int waitBuffers;  // mixing buffers to let pass before this play
};

struct Case {
  const char* name;
  int voices;
  std::vector<Play> plays;
  int left, right;  // loudest level of each side
};

constexpr int kSlot = 21;
constexpr int kFrames = 22050;  // half a second
constexpr int kBufferBytes = 2048 * 4;

// Waits until the driver has written more mixing buffers after the present.
bool letBuffersPass(const std::string& out, int buffers) {
  std::error_code error;
  const uintmax_t target = std::filesystem::file_size(out, error) + uintmax_t(buffers) * kBufferBytes;
  return test::waitUntil([&] { return std::filesystem::file_size(out, error) >= target; });
}

TEST_F(SoundOutput, DiskOutputOfEachPlayMatchesItsVolumePanAndVoices) {
  const std::string wav = test::writeWav("sound-constant.wav", test::constantWav(kFrames));
  const int half = kLevel / 2, twice = 2 * kLevel;
  const std::vector<Case> cases = {
      {"centred at 100 %", 1, {{0, 1, 0, 0}}, kLevel, kLevel},
      {"centred at 50 %: -602, half the amplitude", 1, {{0, 0.5, 0, 0}}, half, half},
      {"panned hard left", 1, {{-1, 1, 0, 0}}, kLevel, 0},
      {"panned hard right at 50 %", 1, {{1, 0.5, 0, 0}}, 0, half},
      {"below 1 %: silent", 1, {{0, 0.009, 0, 0}}, 0, 0},
      {"two voices of one slot at once", 2, {{0, 1, 0, 0}, {0, 1, 1, 0}}, twice, twice},
      {"one-voice slot refuses a second play", 1, {{0, 1, 0, 0}, {0, 1, -1, 0}}, kLevel, kLevel},
      {"third play restarts the older voice", 2, {{0, 1, 0, 0}, {0, 1, 1, 3}, {0, 1, 0, 3}},
       twice, twice},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string out = test::tmpPath("sound-output.raw");
    std::remove(out.c_str());
    test::reopenAudioOutput("disk", out);
    loadSound(wav.c_str(), kSlot, c.voices);
    ASSERT_EQ(errorCode, 0);
    for (const Play& play : c.plays) {
      if (play.waitBuffers) {
        ASSERT_TRUE(letBuffersPass(out, play.waitBuffers));
      }
      const int handle = playSound(kSlot, play.pan, play.volume);
      EXPECT_EQ(handle, play.handleVoice < 0 ? -1 : kSlot * 256 + play.handleVoice);
    }
    EXPECT_TRUE(test::waitUntil([] {
      return !isSoundPlaying(kSlot * 256) && !isSoundPlaying(kSlot * 256 + 1);
    }));
    ASSERT_TRUE(letBuffersPass(out, 2));
    platform::closeAudioOutput();

    const Output output(out);
    EXPECT_TRUE(test::near(Output::peak(output.left), c.left)) << Output::peak(output.left);
    EXPECT_TRUE(test::near(Output::peak(output.right), c.right)) << Output::peak(output.right);
    // Every play sounds its whole length, except the voice a later play restarted.
    if (c.plays.size() == 3) {
      const int64_t cut = output.voiceFrames(kLevel) - 2 * kFrames;
      EXPECT_GE(cut, 2 * 2048) << "the first run of voice 0 was cut short";
      EXPECT_LT(cut, kFrames);
    } else if (c.left == kLevel) {
      EXPECT_NEAR(output.voiceFrames(kLevel), kFrames, 1);
    }
    releaseSoundSlot(kSlot);
    std::remove(out.c_str());
  }
  std::remove(wav.c_str());
}

TEST_F(SoundOutput, EveryPcmShapeSoundsAtItsLevelForItsLength) {
  struct Shape {
    const char* name;
    testwav::Format format;
    std::vector<int> levels;  // per channel, as stored
    int left, right;          // as heard
  };
  const std::vector<Shape> shapes = {
      {"16-bit mono 22050 Hz", {1, 22050, 16}, {8000}, 8000, 8000},
      {"16-bit stereo 44100 Hz", {2, 44100, 16}, {8000, -4000}, 8000, 4000},
      {"8-bit mono 11025 Hz", {1, 11025, 8}, {192}, 16384, 16384},
      {"8-bit stereo 48000 Hz", {2, 48000, 8}, {160, 64}, 8192, 16384},
  };
  for (const Shape& s : shapes) {
    SCOPED_TRACE(s.name);
    const int frames = static_cast<int>(s.format.rate / 4);  // a quarter of a second
    const std::string wav = test::writeWav(
        "sound-shape.wav", testwav::wav(s.format, testwav::constantFrames(frames, s.levels, s.format.bits)));
    const std::string out = test::tmpPath("sound-shape.raw");
    std::remove(out.c_str());
    test::reopenAudioOutput("disk", out);
    loadSound(wav.c_str(), 5, 1);
    ASSERT_EQ(errorCode, 0);
    ASSERT_EQ(playSound(5, 0, 1), 5 * 256);
    EXPECT_TRUE(test::waitUntil([] { return !isSoundPlaying(5 * 256); }));
    ASSERT_TRUE(letBuffersPass(out, 2));
    platform::closeAudioOutput();

    // The resampler rings at the edges of a step: the level is the median.
    const Output output(out);
    for (const auto& [side, want] : {std::pair{&output.left, s.left}, std::pair{&output.right, s.right}}) {
      std::vector<int> audible;
      for (int16_t v : *side)
        if (std::abs(v) > 64) audible.push_back(std::abs(v));
      ASSERT_FALSE(audible.empty());
      std::nth_element(audible.begin(), audible.begin() + audible.size() / 2, audible.end());
      EXPECT_NEAR(audible[audible.size() / 2], want, want / 50);
      EXPECT_NEAR(static_cast<double>(audible.size()), 44100 / 4, 44100 / 100);
    }
    releaseSoundSlot(5);
    std::remove(out.c_str());
    std::remove(wav.c_str());
  }
}

}  // namespace
}  // namespace mvn
