#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "runtime/audio/music.h"
#include "runtime/files/memory_name.h"
#include "runtime/files/shoebox.h"
#include "tests/files/archive_builder.h"
#include "runtime/platform/audio.h"
#include "runtime/values/errors.h"
#include "runtime/values/pause_state.h"
#include "tests/audio/audio_test_support.h"
#include "tests/audio/music_fixture.h"

namespace mvn {
namespace {

double& fakeNow = test::musicNow;

class MusicTest : public test::MusicFixture {
 protected:
  static std::string data(const char* name) { return test::audioData(name); }
  static uint32_t lengthOf(const char* name) {
    auto* w = platform::createMediaWindow(test::fileBytes(data(name)));
    uint32_t length = platform::mediaLength(w);
    platform::closeMediaWindow(w);
    return length;
  }
};

TEST_F(MusicTest, LoopingMusicRestartsOncePerIntervalOnTheClock) {
  struct Case { const char* file; uint32_t interval; };
  uint32_t mp3Length = lengthOf("tone1s.mp3");
  ASSERT_GT(mp3Length, 499u);
  // A piece shorter than 500 ms starts over every 500 ms.
  for (const Case& c : {Case{"tone1s.mp3", mp3Length}, Case{"tone300ms.wav", 500}}) {
    SCOPED_TRACE(c.file);
    fakeNow = 1000;
    playMusic(data(c.file).c_str(), 1);
    ASSERT_EQ(errorCode, 0);
    EXPECT_EQ(musicState.restartTime, 1000.0 + c.interval);
    EXPECT_EQ(seeks(), 1);
    EXPECT_EQ(isMusicPlaying(), 1);

    double start = 1000;
    for (int restart = 1; restart <= 3; ++restart) {
      fakeNow = start + c.interval - 1;
      keepMusicLooping();
      EXPECT_EQ(seeks(), restart);
      // A late frame restarts at once and counts the next interval from then.
      fakeNow = start + c.interval + 7;
      keepMusicLooping();
      EXPECT_EQ(seeks(), restart + 1);
      EXPECT_EQ(musicState.restartTime, fakeNow + c.interval);
      start = fakeNow;
    }
  }
}

TEST_F(MusicTest, MusicPlayedOnceIsNeverRestartedAndEndsAtItsEnd) {
  playMusic(data("tone1s.mp3").c_str(), 0);
  EXPECT_EQ(musicState.restartTime, 0.0);
  EXPECT_EQ(isMusicPlaying(), 1);
  fakeNow += 1e6;
  keepMusicLooping();
  EXPECT_EQ(seeks(), 1);
  EXPECT_TRUE(test::waitUntil([] { return isMusicPlaying() == 0; }));
}

TEST_F(MusicTest, PausePostponesTheRestartByItsLength) {
  const double due = 1000.0 + lengthOf("tone1s.mp3");
  playMusic(data("tone1s.mp3").c_str(), 1);
  fakeNow = 1100;
  pauseMusic(1);
  EXPECT_EQ(musicState.restartTime, -due);
  fakeNow = due + 20000;
  keepMusicLooping();
  EXPECT_EQ(seeks(), 1);
  EXPECT_EQ(isMusicPlaying(), 1);  // paused before its end

  fakeNow = 11100;
  pauseMusic(0);  // a pause of 10 s
  EXPECT_EQ(musicState.restartTime, due + 10000);
  fakeNow = due + 9999;
  keepMusicLooping();
  EXPECT_EQ(seeks(), 1);
  fakeNow = due + 10000;
  keepMusicLooping();
  EXPECT_EQ(seeks(), 2);
}

TEST_F(MusicTest, PauseWithoutLoopOrWindowLeavesTheRestartAlone) {
  pauseMusic(1);
  pauseMusic(0);
  EXPECT_EQ(musicState.restartTime, 0.0);
  playMusic(data("tone300ms.wav").c_str(), 0);
  pauseMusic(1);
  pauseMusic(0);
  EXPECT_EQ(musicState.restartTime, 0.0);
}

TEST_F(MusicTest, VolumeGoesToTheWindowOnItsThousandScale) {
  playMusic(data("tone1s.mp3").c_str(), 1);
  EXPECT_EQ(musicState.volume, 1.0);
  EXPECT_EQ(platform::mediaVolume(musicState.window), 1000);
  struct Case { double volume; int sent; };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (const Case& c : {Case{0.5, 500}, Case{0.9999, 999}, Case{0.25, 250}, Case{0.0, 0},
                        Case{2.0, 1000}, Case{-0.5, 0}, Case{1e300, 1000}, Case{nan, 0}}) {
    platform::mediaSetVolume(musicState.window, 777);
    setMusicVolume(c.volume);
    EXPECT_EQ(platform::mediaVolume(musicState.window), c.sent) << c.volume;
  }
  // The same volume again sends nothing.
  setMusicVolume(0.5);
  platform::mediaSetVolume(musicState.window, 777);
  setMusicVolume(0.5);
  EXPECT_EQ(platform::mediaVolume(musicState.window), 777);
}

TEST_F(MusicTest, VolumeWithoutMusicIsOnlyStoredAndTheNextPieceStartsAtFull) {
  setMusicVolume(0.3);
  EXPECT_EQ(musicState.volume, 0.3);
  playMusic(data("tone1s.mp3").c_str(), 0);
  EXPECT_EQ(musicState.volume, 1.0);
  EXPECT_EQ(platform::mediaVolume(musicState.window), 1000);
  EXPECT_EQ(platform::mixerMusicVolume(), 128);
}

TEST_F(MusicTest, MissingFileStopsThePreviousMusicAndSetsCodeThree) {
  playMusic(data("tone1s.mp3").c_str(), 1);
  ASSERT_NE(musicState.window, nullptr);
  playMusic(data("missing.mp3").c_str(), 1);
  EXPECT_EQ(errorCode, 3);
  EXPECT_EQ(musicState.window, nullptr);
  EXPECT_EQ(musicState.restartTime, 0.0);
  EXPECT_EQ(musicState.volume, -1.0);
  EXPECT_EQ(musicState.name, data("missing.mp3"));
  EXPECT_EQ(isMusicPlaying(), 0);

  playMusic(nullptr, 1);
  EXPECT_EQ(errorCode, 3);

  // A later success clears the code.
  playMusic(data("tone1s.mp3").c_str(), 0);
  EXPECT_EQ(errorCode, 0);
}

TEST_F(MusicTest, StartingMusicResumesAPausedProgramButAMissingFileDoesNot) {
  paused = 1;
  playMusic(data("missing.mp3").c_str(), 0);
  EXPECT_EQ(paused, 1);
  playMusic(data("tone300ms.wav").c_str(), 0);
  EXPECT_EQ(paused, 0);
}

TEST_F(MusicTest, FileTheDecodersRefuseLoopsSilentlyEvery500Ms) {
  std::string notMusic = std::string(MORVANE_SOURCE_DIR) + "/tests/data/audio/make.sh";
  playMusic(notMusic.c_str(), 1);
  EXPECT_EQ(errorCode, 0);
  ASSERT_NE(musicState.window, nullptr);
  EXPECT_EQ(musicState.restartTime, 1500.0);
  fakeNow = 1500;
  keepMusicLooping();
  EXPECT_EQ(musicState.restartTime, 2000.0);
}

TEST_F(MusicTest, StopMusicClosesTheWindowAndEndsLooping) {
  playMusic(data("tone1s.mp3").c_str(), 1);
  setMusicVolume(0.5);
  EXPECT_EQ(stopMusic(), 0);
  EXPECT_EQ(musicState.window, nullptr);
  EXPECT_EQ(musicState.restartTime, 0.0);
  EXPECT_EQ(musicState.volume, -1.0);
  EXPECT_EQ(isMusicPlaying(), 0);
  fakeNow += 1e6;
  keepMusicLooping();
  EXPECT_EQ(musicState.window, nullptr);
}

TEST_F(MusicTest, MusicFromAnInMemoryNamePlaysAudibly) {
  std::vector<unsigned char> block = test::fileBytes(data("tone1s.mp3"));
  registerMemoryBlock(block.data(), static_cast<uint32_t>(block.size()));
  std::string name = makeMemoryName(block.data(), static_cast<uint32_t>(block.size()));
  std::string out = std::string(MORVANE_BINARY_DIR) + "/tmp/music-memory.raw";
  test::reopenAudioOutput("disk", out);

  playMusic(name.c_str(), 0);
  // The music keeps its own copy: the producer may free the block at once.
  unregisterMemoryBlock(block.data());
  block.assign(block.size(), 0);
  EXPECT_EQ(errorCode, 0);
  EXPECT_TRUE(test::waitForOutput(out, 300));
  stopMusic();
  platform::closeAudioOutput();
  EXPECT_GT(test::audibleSamples(out), 1000u);
  std::remove(out.c_str());
}

TEST_F(MusicTest, MusicFromTheArchivePlaysAudibly) {
  std::vector<unsigned char> mp3 = test::fileBytes(data("tone1s.mp3"));
  std::string archive = std::string(MORVANE_BINARY_DIR) + "/tmp/music-test.sbx";
  {
    std::ofstream out(archive, std::ios::binary);
    out << testarchive::buildArchive(
        {{"packed tone.mp3", testarchive::lzoBlock(std::string(mp3.begin(), mp3.end()))}},
        testarchive::Mode::Absolute);
  }
  createShoeboxSlots();
  setArchive(archive.c_str(), archive.c_str());
  std::string out = std::string(MORVANE_BINARY_DIR) + "/tmp/music-archive.raw";
  test::reopenAudioOutput("disk", out);

  playMusic("packed tone.mp3", 1);
  EXPECT_EQ(errorCode, 0);
  EXPECT_EQ(platform::mediaLength(musicState.window), lengthOf("tone1s.mp3"));
  EXPECT_TRUE(test::waitForOutput(out, 300));
  stopMusic();
  platform::closeAudioOutput();
  destroyShoeboxSlots();
  EXPECT_GT(test::audibleSamples(out), 1000u);
  std::remove(out.c_str());
  std::remove(archive.c_str());
}

}  // namespace
}  // namespace mvn
