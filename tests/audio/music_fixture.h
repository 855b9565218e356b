// The music tests' fixture: the music on a clock the test sets, the dummy
// audio output, everything stopped afterwards.
#pragma once

#include <gtest/gtest.h>

#include "runtime/audio/music.h"
#include "runtime/platform/audio.h"
#include "runtime/values/errors.h"
#include "tests/audio/audio_test_support.h"

namespace mvn::test {

inline double musicNow = 0;
inline double musicClock() { return musicNow; }

class MusicFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    musicNow = 1000;
    setMusicClock(musicClock);
    reopenAudioOutput("dummy");
  }
  void TearDown() override {
    stopMusic();
    setMusicClock(nullptr);
    errorCode = 0;
  }
  static int seeks() { return platform::mediaSeeksToStart(musicState.window); }
};

}  // namespace mvn::test
