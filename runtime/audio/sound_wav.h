// WAV files as the sound slots read them: "RIFF", "WAVE", a "fmt " chunk and
// after it a "data" chunk of 8- or 16-bit PCM, mono or stereo. Other chunks
// before either are skipped; a chunk of odd size is followed by a zero pad
// byte, which is skipped when it is there.
#pragma once

#include <cstdint>
#include <memory>

#include "runtime/platform/audio.h"

namespace mvn {

struct WavSample {
  platform::PcmFormat format;
  int blockAlign = 0;
  std::unique_ptr<unsigned char[]> data;
  uint32_t size = 0;  // bytes of data
};

// Reads the named file (on disk or an in-memory name) through RtFile. False,
// with out left empty, when it cannot be opened, is not such a file, lacks a
// chunk, gives 0 channels, 0 sample rate, a sample size other than 8 or 16
// bits or a block alignment that does not fit them, announces more data than
// it holds or more than 0x0FFFFFFF bytes, or the memory for the data cannot be
// had.
bool readWavSample(const char* name, WavSample& out);

}  // namespace mvn
