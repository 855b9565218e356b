// Music and samples on the one sound output: neither disturbs the other, and
// the output closes only when both have let it go.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "runtime/audio/music.h"
#include "runtime/audio/sound_play.h"
#include "runtime/core/runtime_objects.h"
#include "runtime/platform/audio.h"
#include "tests/audio/sound_test_support.h"

namespace mvn {
namespace {

uint32_t musicPosition() { return platform::mediaPosition(musicState.window); }

bool musicMovesOn() {
  const uint32_t from = musicPosition();
  return test::waitUntil([&] { return musicPosition() > from + 30; });
}

TEST(SoundSharing, MusicAndSamplesShareTheOutputWithoutDisturbingEachOther) {
  const std::string wav = test::writeWav("sound-sharing.wav", test::constantWav(44100));
  test::reopenAudioOutput("dummy");
  playMusic(test::audioData("tone1s.mp3").c_str(), 1);
  ASSERT_TRUE(musicMovesOn());

  // Opening the device for samples leaves the music where it is.
  createSoundSystem(nullptr);
  EXPECT_TRUE(runtimeObjects.soundSystem->device);
  EXPECT_EQ(platform::mediaSeeksToStart(musicState.window), 1);
  EXPECT_TRUE(musicMovesOn());

  loadSound(wav.c_str(), 2, 1);
  ASSERT_EQ(playSound(2, 0, 1), 2 * 256);
  stopMusic();  // the sample sounds on
  playMusic(test::audioData("tone1s.mp3").c_str(), 1);
  EXPECT_EQ(isSoundPlaying(2 * 256), 1);

  // Releasing the device stops the samples; the music plays on.
  releaseSoundDevice();
  EXPECT_EQ(isSoundPlaying(2 * 256), 0);
  EXPECT_EQ(playSound(2, 0, 1), -1);
  loadSound(wav.c_str(), 3, 1);
  EXPECT_EQ(errorCode, 3);
  EXPECT_TRUE(platform::audioOutputOpen());
  EXPECT_TRUE(musicMovesOn());

  // The end: music first, then the slots and the device; the output closes.
  stopMusic();
  destroySoundChannels();
  destroySoundSystem();
  EXPECT_FALSE(platform::audioOutputOpen());
  EXPECT_EQ(runtimeObjects.soundSystem, nullptr);
  EXPECT_EQ(runtimeObjects.soundChannels, nullptr);
  errorCode = 0;
  std::remove(wav.c_str());
}

}  // namespace
}  // namespace mvn
