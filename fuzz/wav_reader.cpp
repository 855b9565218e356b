// Arbitrary bytes as a WAV file, read once from a disk file and once from a
// registered in-memory block: both must give the same answer and the same
// sample, a failure leaves the sample empty, and an accepted sample is handed
// to the mixer (on SDL's dummy driver) and freed again.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "runtime/audio/sound_wav.h"
#include "runtime/files/memory_name.h"
#include "runtime/files/rt_file.h"
#include "runtime/platform/audio.h"

namespace {

std::string scratchDir;
std::string diskName;

void removeScratch() {
  mvn::platform::closeAudioOutput();
  std::error_code ignored;
  std::filesystem::remove_all(scratchDir, ignored);
}

bool same(const mvn::WavSample& a, const mvn::WavSample& b) {
  return a.format.channels == b.format.channels && a.format.sampleRate == b.format.sampleRate &&
         a.format.bitsPerSample == b.format.bitsPerSample && a.blockAlign == b.blockAlign &&
         a.size == b.size && (a.size == 0 || std::memcmp(a.data.get(), b.data.get(), a.size) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char dir[] = "/tmp/fuzz_wav_XXXXXX";
  if (!mkdtemp(dir)) abort();
  setenv("TMPDIR", dir, 1);  // the runtime log stays here
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  scratchDir = dir;
  diskName = scratchDir + "/input.wav";
  mvn::platform::openAudioOutput();
  atexit(removeScratch);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  mvn::RtFile out;
  if (!out.openWrite(diskName.c_str())) abort();
  if (size) out.write(data, static_cast<int64_t>(size));
  out.close();
  mvn::WavSample fromDisk;
  const bool diskOk = mvn::readWavSample(diskName.c_str(), fromDisk);

  unsigned char* block = new unsigned char[size ? size : 1];
  if (size) std::memcpy(block, data, size);
  mvn::registerMemoryBlock(block, static_cast<uint32_t>(size));
  const std::string name = mvn::makeMemoryName(block, static_cast<uint32_t>(size));
  mvn::WavSample fromMemory;
  const bool memoryOk = mvn::readWavSample(name.c_str(), fromMemory);
  mvn::unregisterMemoryBlock(block);
  delete[] block;

  if (diskOk != memoryOk) abort();
  if (!diskOk) {
    if (fromDisk.size || fromDisk.data || fromMemory.size || fromMemory.data) abort();
    return 0;
  }
  if (!same(fromDisk, fromMemory) || fromDisk.size > size) abort();
  const mvn::platform::PcmFormat& f = fromDisk.format;
  if ((f.channels != 1 && f.channels != 2) || (f.bitsPerSample != 8 && f.bitsPerSample != 16) ||
      f.sampleRate <= 0 || fromDisk.blockAlign != f.channels * f.bitsPerSample / 8) {
    abort();
  }
  mvn::platform::SoundVoice* voice =
      mvn::platform::createSoundVoice(f, fromDisk.data.get(), fromDisk.size);
  mvn::platform::SoundVoice* copy = mvn::platform::duplicateSoundVoice(voice);
  mvn::platform::releaseSoundVoice(voice);
  mvn::platform::releaseSoundVoice(copy);
  return 0;
}
