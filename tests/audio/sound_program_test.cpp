// A whole program's sound, as a child process: the device opened at the
// start, the log, the end that closes every sound output.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/app/child_process.h"
#include "tests/audio/audio_test_support.h"
#include "tests/audio/wav_builder.h"

namespace mvn {
namespace {

const std::string kProbe = std::string(MORVANE_TEST_PROGRAMS) + "/sound_probe" + testing::kProgramSuffix;
// The line an earlier runtime logged; a machine without sound is no fault.
const char* kNoDevice = "No sound device";

std::string freshDirectory(const std::string& name) {
  const std::string dir = std::string(MORVANE_BINARY_DIR) + "/tmp/sound_" + name;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

size_t count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) n++;
  return n;
}

TEST(SoundProgram, WithoutDeviceTheRunStartsLogsNothingOfItAndEndsWithStatusZero) {
  const std::string dir = freshDirectory("nodevice");
  const std::string wav = dir + "/click.wav";
  std::ofstream(wav, std::ios::binary) << testwav::wav({}, testwav::constantFrames(2000, {5000}));
  testing::ChildProcess child(kProbe,
                              {testing::kTemporaryVariable + "=" + dir, "MORVANE_FRAMES=10", "SDL_AUDIODRIVER=no-such-driver",
                               "MVN_SOUND_FILE=" + wav, "MVN_MUSIC_FILE=" + test::audioData("tone1s.mp3")},
                              dir);
  EXPECT_EQ(child.wait(), 0);
  const std::string out = child.output();
  for (const char* line : {"device=0\n", "load=3\n", "play=-1\n", "music=0\n", "output open=0\n"})
    EXPECT_NE(out.find(line), std::string::npos) << line << out;
  const std::string log = testing::fileText(dir + "/ErrorLog.txt");
  EXPECT_EQ(count(log, kNoDevice), 0u) << log;
  EXPECT_NE(log.find("Win8+ mouse as pointer\nInit Finalized\n"), std::string::npos) << log;
  EXPECT_EQ(log.substr(log.size() - 31), "Shut down MVN\nmvn is shut down\n");
}

// Without SDL_AUDIODRIVER every driver is probed in turn; where there is no
// sound device the system's sound library has its reasons, which are no
// business of standard error.
TEST(SoundProgram, ProbingTheSoundDriversPrintsNothingOnStandardError) {
  const std::string dir = freshDirectory("probe");
  const std::string errors = dir + "/stderr.txt";
  testing::ChildProcess child(kProbe, {testing::kTemporaryVariable + "=" + dir, "MORVANE_FRAMES=3", "SDL_AUDIODRIVER"}, dir, "", {},
                              errors);
  EXPECT_EQ(child.wait(), 0);
  EXPECT_NE(child.output().find("exit\n"), std::string::npos) << child.output();
  const std::string printed = testing::fileText(errors);
  EXPECT_EQ(printed.find("ALSA lib"), std::string::npos) << printed;
}

TEST(SoundProgram, WithADeviceSamplesAndMusicSoundAndTheEndClosesTheOutput) {
  const std::string dir = freshDirectory("disk");
  const std::string wav = dir + "/click.wav";
  const std::string raw = dir + "/output.raw";
  std::ofstream(wav, std::ios::binary) << testwav::wav({}, testwav::constantFrames(2000, {5000}));
  testing::ChildProcess child(kProbe,
                              {testing::kTemporaryVariable + "=" + dir, "MORVANE_FRAMES=30", "SDL_AUDIODRIVER=disk",
                               "SDL_DISKAUDIOFILE=" + raw, "MVN_SOUND_FILE=" + wav,
                               "MVN_MUSIC_FILE=" + test::audioData("tone1s.mp3")},
                              dir);
  EXPECT_EQ(child.wait(), 0);
  const std::string out = child.output();
  for (const char* line : {"device=1\n", "load=0\n", "play=768\n", "music=0\n", "window follows=1\n",
                           "output open=0\n"})
    EXPECT_NE(out.find(line), std::string::npos) << line << out;
  const std::string log = testing::fileText(dir + "/ErrorLog.txt");
  EXPECT_EQ(count(log, kNoDevice), 0u) << log;
  EXPECT_NE(log.find("Win8+ mouse as pointer\nInit Finalized\n"), std::string::npos) << log;
  EXPECT_GT(test::audibleSamples(raw), 1000u);
}

}  // namespace
}  // namespace mvn
