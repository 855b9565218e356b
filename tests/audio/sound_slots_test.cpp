// Sound slot commands on SDL's dummy driver: loading from every kind of name,
// the choice of voice, stopping, numbers outside the table, no device.
#include <climits>
#include <limits>
#include <utility>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/audio/sound_play.h"
#include "runtime/core/runtime_objects.h"
#include "runtime/files/memory_name.h"
#include "runtime/files/shoebox.h"
#include "runtime/platform/audio.h"
#include "tests/audio/sound_test_support.h"
#include "tests/files/archive_builder.h"

namespace mvn {
namespace {

using SoundSlots = test::SoundTest;

SoundChannel& record(int slot) { return runtimeObjects.soundChannels[slot]; }

// Half a second: long enough to still sound when the test asks.
const std::string kLong = test::constantWav(22050);

TEST_F(SoundSlots, LoadsFromDiskFromMemoryAndFromAnArchiveMember) {
  const std::string disk = test::writeWav("sound-disk.wav", kLong);
  std::string block = kLong;
  registerMemoryBlock(block.data(), static_cast<uint32_t>(block.size()));
  const std::string memory = makeMemoryName(block.data(), static_cast<uint32_t>(block.size()));
  const std::string archive = test::tmpPath("sound-test.sbx");
  std::ofstream(archive, std::ios::binary) << testarchive::buildArchive(
      {{"Click Sound.WAV", testarchive::lzoBlock(kLong)},
       {"no data.wav", testarchive::lzoBlock(testwav::riff(testwav::fmtChunk()))}},
      testarchive::Mode::Absolute);
  createShoeboxSlots();
  setArchive(archive.c_str(), archive.c_str());

  struct Case { std::string name; int slot, voices, voiceCount, error; };
  const Case cases[] = {
      {disk, 0, 1, 1, 0},
      {memory, 4095, 4, 4, 0},
      {"click sound.wav", 17, 2, 2, 0},       // the member, whatever the case
      {"media/Click Sound.wav", 18, 9, 4, 0},  // voices held to 1..4
      {disk, 19, -3, 1, 0},
      {"no data.wav", 20, 1, 0, 3},            // ends, with no "data" to find
      {"missing.wav", 21, 1, 0, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    errorCode = 99;
    loadSound(c.name.c_str(), c.slot, c.voices);
    EXPECT_EQ(errorCode, c.error);
    EXPECT_EQ(record(c.slot).voiceCount, c.voiceCount);
    if (c.voiceCount) {
      EXPECT_EQ(playSound(c.slot, 0, 1), c.slot * 256);
    }
  }
  // The sample keeps its own copy: the block may go at once.
  unregisterMemoryBlock(block.data());
  EXPECT_EQ(playSound(4095, 0, 1), 4095 * 256 + 1);

  destroyShoeboxSlots();
  std::remove(archive.c_str());
  std::remove(disk.c_str());
}

// A sample of one to three frames at a rate above the output's loads, keeps
// its sound system and plays.
TEST_F(SoundSlots, VeryShortSamplesAtHighRatesLoadAndPlay) {
  int slot = 100;
  for (uint32_t rate : {48000u, 96000u, 200000u}) {
    for (int frames : {1, 2, 3}) {
      for (int channels : {1, 2}) {
        SCOPED_TRACE(std::to_string(frames) + " frames at " + std::to_string(rate) + " Hz, " +
                     std::to_string(channels) + " channels");
        const std::string file = test::writeWav(
            "sound-short.wav",
            testwav::wav({channels, rate, 16}, testwav::constantFrames(frames, std::vector<int>(channels, 9000))));
        errorCode = 99;
        loadSound(file.c_str(), slot, 2);
        EXPECT_EQ(errorCode, 0);
        EXPECT_EQ(record(slot).voiceCount, 2);
        EXPECT_EQ(record(slot).system, runtimeObjects.soundSystem);
        EXPECT_EQ(playSound(slot, 0, 1), slot * 256);
        ++slot;
      }
    }
  }
}

TEST_F(SoundSlots, AFailedLoadEmptiesTheSlotAMissingFileLeavesIt) {
  const std::string good = test::writeWav("sound-good.wav", kLong);
  const std::string bad = test::writeWav("sound-bad.wav", testwav::riff(testwav::fmtChunk()));
  loadSound(good.c_str(), 3, 2);
  loadSound("no-such-file.wav", 3, 1);
  EXPECT_EQ(errorCode, 3);
  EXPECT_EQ(record(3).voiceCount, 2);
  loadSound(bad.c_str(), 3, 1);
  EXPECT_EQ(errorCode, 3);
  EXPECT_EQ(record(3).voiceCount, 0);
  EXPECT_EQ(playSound(3, 0, 1), -1);
  std::remove(good.c_str());
  std::remove(bad.c_str());
}

TEST_F(SoundSlots, VoicesAreChosenInTurnAndStoppedByHandle) {
  const std::string wav = test::writeWav("sound-voices.wav", kLong);
  loadSound(wav.c_str(), 9, 3);
  const int base = 9 * 256;
  EXPECT_EQ(playSound(9, 0, 1), base + 0);
  EXPECT_EQ(playSound(9, 0, 1), base + 1);
  EXPECT_EQ(playSound(9, 0, 1), base + 2);
  EXPECT_EQ(playSound(9, 0, 1), base + 0);  // all sound: the next one starts over
  for (int v = 0; v < 3; ++v) EXPECT_EQ(isSoundPlaying(base + v), 1) << v;
  EXPECT_EQ(isSoundPlaying(base + 3), 0);  // a voice the slot does not have

  stopSound(base + 1);
  EXPECT_EQ(isSoundPlaying(base + 1), 0);
  EXPECT_EQ(isSoundPlaying(base + 0), 1);
  // nextVoice (0) still sounds: the play moves on to voice 1, which is free.
  EXPECT_EQ(playSound(9, 0, 1), base + 1);
  stopSound(base + 200);  // a voice number beyond the slot's stops them all
  for (int v = 0; v < 3; ++v) EXPECT_EQ(isSoundPlaying(base + v), 0) << v;

  // A free nextVoice is taken again as it is.
  EXPECT_EQ(playSound(9, 0, 1), base + 1);
  loadSound(wav.c_str(), 10, 1);
  EXPECT_EQ(playSound(10, 0.3, 0.7), 10 * 256);
  EXPECT_EQ(playSound(10, 0, 1), -1);  // one voice, still sounding
  stopAllSounds();
  EXPECT_EQ(isSoundPlaying(base + 1), 0);
  EXPECT_EQ(isSoundPlaying(10 * 256), 0);
  EXPECT_EQ(playSound(10, 0, 1), 10 * 256);

  EXPECT_TRUE(test::waitUntil([] { return !isSoundPlaying(10 * 256); }));
  EXPECT_EQ(playSound(10, 0, 1), 10 * 256);  // played out: free again
  releaseSoundSlot(10);
  EXPECT_EQ(record(10).voiceCount, 0);
  EXPECT_EQ(playSound(10, 0, 1), -1);
  std::remove(wav.c_str());
}

TEST_F(SoundSlots, ManyVoicesAtOnceAllSound) {
  const std::string wav = test::writeWav("sound-many.wav", kLong);
  for (int slot = 0; slot < 10; ++slot) loadSound(wav.c_str(), slot, 4);
  for (int slot = 0; slot < 10; ++slot)
    for (int v = 0; v < 4; ++v) ASSERT_EQ(playSound(slot, 0, 0.1), slot * 256 + v);
  for (int slot = 0; slot < 10; ++slot)
    for (int v = 0; v < 4; ++v) EXPECT_EQ(isSoundPlaying(slot * 256 + v), 1);
  std::remove(wav.c_str());
}

TEST_F(SoundSlots, NumbersOutsideTheTableAnswerSevenAndChangeNothing) {
  const std::string wav = test::writeWav("sound-range.wav", kLong);
  for (int slot : {-1, -256, INT_MIN, 4096, INT_MAX}) {
    SCOPED_TRACE(slot);
    loadSound(wav.c_str(), slot, 1);
    EXPECT_EQ(errorCode, 7);
    errorCode = 0;
    EXPECT_EQ(playSound(slot, 0, 1), 0);
    EXPECT_EQ(errorCode, 7);
    errorCode = 0;
    releaseSoundSlot(slot);
    EXPECT_EQ(errorCode, 7);
    errorCode = 0;
  }
  for (int handle : {-1, INT_MIN, 0x100000, INT_MAX}) {
    SCOPED_TRACE(handle);
    EXPECT_EQ(isSoundPlaying(handle), 0);
    EXPECT_EQ(errorCode, 7);
    errorCode = 0;
    stopSound(handle);  // ignored
    EXPECT_EQ(errorCode, 0);
  }
  EXPECT_EQ(isSoundPlaying(0xFFFFF), 0);
  EXPECT_EQ(errorCode, 0);
  EXPECT_EQ(findFreeSoundSlot(), 4095);
  std::remove(wav.c_str());
}

TEST_F(SoundSlots, FreeSlotIsTheHighestEmptyOne) {
  EXPECT_EQ(findFreeSoundSlot(), 4095);
  for (int slot = 0; slot < kSoundSlots; ++slot) record(slot).voiceCount = 1;
  record(77).voiceCount = 0;
  EXPECT_EQ(findFreeSoundSlot(), 77);
  record(77).voiceCount = 1;
  EXPECT_EQ(findFreeSoundSlot(), -1);
  EXPECT_EQ(errorCode, 7);
  for (int slot = 0; slot < kSoundSlots; ++slot) record(slot).voiceCount = 0;
}

TEST_F(SoundSlots, PanAndVolumeBeyondTheirRangesAreHeld) {
  const std::string wav = test::writeWav("sound-held.wav", kLong);
  loadSound(wav.c_str(), 4, 4);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  int voice = 0;
  for (auto [pan, volume] : {std::pair{nan, nan}, {-inf, inf}, {1e300, -1e300}, {-7.0, 55.0}}) {
    EXPECT_EQ(playSound(4, pan, volume), 4 * 256 + voice % 4);
    voice++;
  }
  std::remove(wav.c_str());
}

TEST(SoundWithoutDevice, LoadsFailPlaysAnswerMinusOneAndNothingIsLogged) {
  const std::string wav = test::writeWav("sound-nodevice.wav", kLong);
  std::remove(logPath().c_str());
  platform::closeAudioOutput();
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  createSoundSystem(nullptr);
  EXPECT_FALSE(runtimeObjects.soundSystem->device);
  EXPECT_EQ(createSoundDevice(nullptr), 0);
  loadSound(wav.c_str(), 1, 1);
  EXPECT_EQ(errorCode, 3);
  EXPECT_EQ(runtimeObjects.soundChannels[1].voiceCount, 0);
  EXPECT_EQ(playSound(1, 0, 1), -1);
  EXPECT_EQ(isSoundPlaying(256), 0);
  stopSound(256);
  stopAllSounds();
  EXPECT_EQ(findFreeSoundSlot(), 4095);
  destroySoundChannels();
  destroySoundSystem();
  EXPECT_FALSE(platform::audioOutputOpen());
  EXPECT_EQ(test::logText(), "");  // a machine without sound is no fault
  errorCode = 0;
  test::reopenAudioOutput("dummy");
  std::remove(wav.c_str());
}

TEST(SoundWithoutSystem, CommandsBeforeStartUpDoNothingHarmful) {
  ASSERT_EQ(runtimeObjects.soundChannels, nullptr);
  loadSound("whatever.wav", 1, 1);
  EXPECT_EQ(errorCode, 3);
  EXPECT_EQ(playSound(1, 0, 1), -1);
  EXPECT_EQ(isSoundPlaying(256), 0);
  stopSound(256);
  stopAllSounds();
  releaseSoundSlot(1);
  errorCode = 0;
  EXPECT_EQ(findFreeSoundSlot(), -1);
  EXPECT_EQ(errorCode, 7);
  errorCode = 0;
}

}  // namespace
}  // namespace mvn
