#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "runtime/platform/audio.h"
#include "tests/audio/audio_test_support.h"

namespace mvn {
namespace {

using namespace platform;

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

class MediaWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { test::reopenAudioOutput("dummy"); }
  void TearDown() override {
    closeMediaWindow(window);
    test::reopenAudioOutput("dummy");
  }
  MediaWindow* open(const char* name) {
    return window = createMediaWindow(test::fileBytes(test::audioData(name)));
  }
  MediaWindow* window = nullptr;
};

TEST_F(MediaWindowTest, LengthInMillisecondsOfEachFormat) {
  struct Case { const char* file; uint32_t low, high; };
  // The encoder pads an MP3 by up to a frame or two at each end.
  for (const Case& c : {Case{"tone300ms.wav", 300, 300}, Case{"tone1s.mp3", 1000, 1120}}) {
    SCOPED_TRACE(c.file);
    MediaWindow* w = createMediaWindow(test::fileBytes(test::audioData(c.file)));
    EXPECT_GE(mediaLength(w), c.low);
    EXPECT_LE(mediaLength(w), c.high);
    EXPECT_EQ(mediaEnd(w), mediaLength(w));
    EXPECT_EQ(mediaPosition(w), 0u);
    closeMediaWindow(w);
  }
}

TEST_F(MediaWindowTest, UndecodableBytesMakeAnEmptySilentWindow) {
  for (std::vector<unsigned char> bytes : {std::vector<unsigned char>{}, std::vector<unsigned char>(300, 0x5A)}) {
    MediaWindow* w = createMediaWindow(bytes);
    ASSERT_NE(w, nullptr);
    mediaSeekToStart(w);
    mediaPlay(w);
    EXPECT_EQ(mediaLength(w), 0u);
    EXPECT_EQ(mediaPosition(w), 0u);
    closeMediaWindow(w);
  }
}

TEST_F(MediaWindowTest, NullWindowIgnoresEveryOperation) {
  mediaSeekToStart(nullptr);
  mediaPlay(nullptr);
  mediaPause(nullptr);
  mediaResume(nullptr);
  mediaStop(nullptr);
  mediaSetVolume(nullptr, 10);
  closeMediaWindow(nullptr);
  EXPECT_EQ(mediaLength(nullptr), 0u);
  EXPECT_EQ(mediaPosition(nullptr), 0u);
  EXPECT_EQ(mediaVolume(nullptr), 0);
}

TEST_F(MediaWindowTest, PlayStopAndSeekMoveThePosition) {
  open("tone1s.mp3");
  mediaSeekToStart(window);
  mediaPlay(window);
  EXPECT_TRUE(test::waitUntil([&] { return mediaPosition(window) > 50; }));
  uint32_t playing = mediaPosition(window);

  mediaStop(window);
  uint32_t stopped = mediaPosition(window);
  EXPECT_GE(stopped, playing);
  sleepMs(100);
  EXPECT_EQ(mediaPosition(window), stopped);

  mediaSeekToStart(window);
  EXPECT_EQ(mediaPosition(window), 0u);
  EXPECT_EQ(mediaSeeksToStart(window), 2);
}

TEST_F(MediaWindowTest, PauseHoldsThePositionAndResumeGoesOn) {
  open("tone1s.mp3");
  mediaPlay(window);
  sleepMs(150);
  mediaPause(window);
  uint32_t paused = mediaPosition(window);
  sleepMs(150);
  EXPECT_LE(mediaPosition(window), paused + 50);  // at most one mixing buffer later
  mediaResume(window);
  EXPECT_TRUE(test::waitUntil([&] { return mediaPosition(window) > paused + 100; }));
}

TEST_F(MediaWindowTest, PlayedToTheEndStandsAtTheEndUntilSentBack) {
  open("tone1s.mp3");
  mediaPlay(window);
  EXPECT_TRUE(test::waitUntil([&] { return mediaPosition(window) == mediaEnd(window); }));
  mediaPlay(window);
  EXPECT_EQ(mediaPosition(window), mediaEnd(window));
  mediaSeekToStart(window);
  mediaPlay(window);
  sleepMs(50);
  EXPECT_LT(mediaPosition(window), mediaEnd(window));
}

TEST_F(MediaWindowTest, VolumeScaleReachesTheMixer) {
  open("tone1s.mp3");
  mediaPlay(window);
  struct Case { int volume, stored, mixer; };
  for (const Case& c : {Case{1000, 1000, 128}, Case{500, 500, 64}, Case{250, 250, 32}, Case{0, 0, 0},
                        Case{-20, 0, 0}, Case{1500, 1000, 128}}) {
    mediaSetVolume(window, c.volume);
    EXPECT_EQ(mediaVolume(window), c.stored) << c.volume;
    EXPECT_EQ(mixerMusicVolume(), c.mixer) << c.volume;
  }
}

TEST_F(MediaWindowTest, WithoutDeviceNoLogLineAndSilentMusicKeepsItsTiming) {
  std::remove(logPath().c_str());
  platform::closeAudioOutput();
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  EXPECT_FALSE(openAudioOutput());
  EXPECT_FALSE(openAudioOutput());
  EXPECT_TRUE(audioOutputSilent());
  EXPECT_EQ(test::logText(), "");

  open("tone1s.mp3");
  EXPECT_GT(mediaLength(window), 900u);
  mediaPlay(window);
  EXPECT_TRUE(test::waitUntil([&] { return mediaPosition(window) > 50; }));
}

TEST_F(MediaWindowTest, DiskDriverReceivesTheMusicAtTheChosenVolume) {
  std::string full = std::string(MORVANE_BINARY_DIR) + "/tmp/music-full.raw";
  std::string quiet = std::string(MORVANE_BINARY_DIR) + "/tmp/music-quiet.raw";
  for (const std::string& out : {full, quiet}) {
    test::reopenAudioOutput("disk", out);
    EXPECT_FALSE(audioOutputSilent());
    open("tone1s.mp3");
    mediaSetVolume(window, out == full ? 1000 : 0);
    mediaPlay(window);
    EXPECT_TRUE(test::waitForOutput(out, 300));
    closeMediaWindow(window);
    window = nullptr;
    platform::closeAudioOutput();
  }
  EXPECT_GT(test::audibleSamples(full), 1000u);
  EXPECT_EQ(test::audibleSamples(quiet), 0u);
  std::remove(full.c_str());
  std::remove(quiet.c_str());
}

}  // namespace
}  // namespace mvn
