// Music at the edges: a piece whose length the decoder cannot tell, and files
// too large to hold in memory.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <fstream>
#include <string>

#include "runtime/audio/music.h"
#include "runtime/files/memory_name.h"
#include "runtime/platform/audio.h"
#include "runtime/values/errors.h"
#include "tests/audio/audio_test_support.h"
#include "tests/audio/music_fixture.h"

namespace mvn {
namespace {

double& fakeNow = test::musicNow;

class MusicLimits : public test::MusicFixture {
 protected:
  static std::string tmp(const char* name) { return std::string(MORVANE_BINARY_DIR) + "/tmp/" + name; }
};

// A MIDI file of one short note: its decoder reports no length.
std::string midiFile() {
  const std::string track("\x00\xC0\x00\x00\x90\x45\x60\x18\x80\x45\x40\x00\xFF\x2F\x00", 15);
  std::string bytes("MThd\0\0\0\x06\0\0\0\x01\0\x60", 14);
  bytes += std::string("MTrk\0\0\0", 7) + static_cast<char>(track.size()) + track;
  const std::string path = std::string(MORVANE_BINARY_DIR) + "/tmp/music-note.mid";
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

TEST_F(MusicLimits, MusicOfUnknownLengthPlaysAndLoopsWhenItsStreamEnds) {
  const std::string midi = midiFile();
  playMusic(midi.c_str(), 0);
  ASSERT_EQ(errorCode, 0);
  if (platform::mediaLength(musicState.window) == 0) GTEST_SKIP() << "no MIDI decoder here";
  EXPECT_EQ(platform::mediaLength(musicState.window), platform::kMediaLengthUnknown);
  EXPECT_EQ(isMusicPlaying(), 1);  // it starts
  EXPECT_TRUE(test::waitUntil([] { return isMusicPlaying() == 0; }, 15000));

  playMusic(midi.c_str(), 1);
  EXPECT_EQ(seeks(), 1);
  fakeNow += 600;  // no 500 ms interval for a piece of unknown length
  keepMusicLooping();
  EXPECT_EQ(seeks(), 1);
  EXPECT_TRUE(test::waitUntil([] {
    keepMusicLooping();
    return seeks() == 2;
  }, 15000));
  EXPECT_EQ(isMusicPlaying(), 1);
  std::remove(midi.c_str());
}

TEST_F(MusicLimits, FileBeyondWhatTheMixerTakesFromMemoryFailsWithCodeThree) {
  // A block registered with a length above INT_MAX: refused before any read.
  static unsigned char block[16];
  registerMemoryBlock(block, 0x80000000u);
  const std::string name = makeMemoryName(block, 0x80000000u);
  playMusic(test::audioData("tone1s.mp3").c_str(), 1);
  playMusic(name.c_str(), 1);
  EXPECT_EQ(errorCode, 3);
  EXPECT_EQ(musicState.window, nullptr);
  EXPECT_EQ(isMusicPlaying(), 0);
  unregisterMemoryBlock(block);
  playMusic(test::audioData("tone1s.mp3").c_str(), 0);  // the program goes on
  EXPECT_EQ(errorCode, 0);
}

#if defined(__SANITIZE_ADDRESS__)
#define MORVANE_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVANE_ASAN 1
#endif
#endif

TEST_F(MusicLimits, FileWhoseMemoryCannotBeHadFailsWithCodeThree) {
#ifdef MORVANE_ASAN
  GTEST_SKIP() << "the address-space limit would starve the sanitizer";
#endif
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no limit on a process's address space to set (setrlimit)";
#else
  // A sparse file of 1 GiB, read under an address space that has 256 MiB left.
  const std::string path = tmp("music-huge.mp3");
  {
    std::ofstream out(path, std::ios::binary);
  }
  ASSERT_EQ(truncate(path.c_str(), 1 << 30), 0);
  long pages = 0;
  std::ifstream("/proc/self/statm") >> pages;
  rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_AS, &saved), 0);
  rlimit limited = saved;
  limited.rlim_cur = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + (256u << 20);
  ASSERT_EQ(setrlimit(RLIMIT_AS, &limited), 0);
  playMusic(path.c_str(), 1);
  const int code = errorCode;
  setrlimit(RLIMIT_AS, &saved);
  EXPECT_EQ(code, 3);
  EXPECT_EQ(musicState.window, nullptr);
  std::remove(path.c_str());
  playMusic(test::audioData("tone300ms.wav").c_str(), 0);
  EXPECT_EQ(errorCode, 0);
#endif
}

}  // namespace
}  // namespace mvn
