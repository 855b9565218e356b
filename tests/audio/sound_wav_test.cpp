// The WAV reader over disk files and in-memory blocks: every well-formed
// shape loads, every malformed one fails, and no walk outlives its bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/audio/sound_wav.h"
#include "runtime/files/memory_name.h"
#include "tests/audio/wav_builder.h"

namespace mvn {
namespace {

using namespace testwav;

const std::string kData = constantFrames(10, {1000});  // 20 bytes

struct Case {
  const char* name;
  std::string bytes;
  bool loads;
};

std::vector<Case> cases() {
  const std::string fmt = fmtChunk();
  const std::string data = chunk("data", kData);
  return {
      {"plain", riff(fmt + data), true},
      {"other chunks before each", riff(chunk("LIST", "abcd") + fmt + chunk("fact", "1234") + data), true},
      {"longer fmt chunk", riff(chunk("fmt ", fmtBody({}) + le16(2) + "xy") + data), true},
      {"odd chunk with its pad byte", riff(fmt + chunk("junk", "odd") + data), true},
      {"odd chunk without a pad byte", riff(fmt + chunk("junk", "odd", false) + data), true},
      {"odd fmt chunk without a pad", riff(chunk("fmt ", fmtBody({}) + "x", false) + data), true},
      {"8-bit stereo 11025 Hz", wav({2, 11025, 8}, constantFrames(8, {200, 60}, 8)), true},
      {"0 channels, played as one", wav({0, 44100, 16, 2}, kData), true},
      {"data up to the last byte, no pad", riff(fmt + chunk("data", kData + "\x01", false)), true},
      {"empty file", "", false},
      {"truncated header", riff(fmt + data).substr(0, 10), false},
      {"text file", "just some words, not a sound at all\n", false},
      {"RIFF that is not WAVE", riff(fmt + data, "AVI "), false},
      {"no data chunk", riff(fmt + chunk("LIST", std::string(40, 'x'))), false},
      {"no fmt chunk", riff(data), false},
      {"data before fmt", riff(data + fmt), false},
      {"fmt chunk of 14 bytes", riff(chunk("fmt ", fmtBody({}).substr(0, 14)) + data), false},
      {"header of data cut short", riff(fmt + data).substr(0, 12 + 24 + 5), false},
      {"data larger than the file", riff(fmt + chunk("data", kData, true, 21)), false},
      {"data of 4 GiB", riff(fmt + chunk("data", kData, true, 0xFFFFFFFF)), false},
      {"chunk of 4 GiB before data", riff(fmt + chunk("junk", "", true, 0xFFFFFFF0) + data), false},
      {"3 channels", wav({3, 44100, 16}, kData), false},
      {"0 sample rate", wav({1, 0, 16}, kData), false},
      {"12 bits", wav({1, 44100, 12, 2}, kData), false},
      {"32 bits", wav({1, 44100, 32}, kData), false},
      {"block alignment not of the shape", wav({2, 44100, 16, 2}, kData), false},
  };
}

std::string diskCopy(const std::string& bytes) {
  const std::string path = std::string(MORVANE_BINARY_DIR) + "/tmp/sound-wav-case.wav";
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

TEST(SoundWav, EveryShapeGivesItsVerdictFromDiskAndFromMemory) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    const std::string path = diskCopy(c.bytes);
    std::string block = c.bytes;
    registerMemoryBlock(block.data(), static_cast<uint32_t>(block.size()));
    const std::string memory = makeMemoryName(block.data(), static_cast<uint32_t>(block.size()));
    for (const std::string& name : {path, memory}) {
      WavSample sample;
      sample.size = 99;
      EXPECT_EQ(readWavSample(name.c_str(), sample), c.loads) << name;
      if (!c.loads) {
        EXPECT_EQ(sample.size, 0u);
        EXPECT_EQ(sample.data, nullptr);
      }
    }
    unregisterMemoryBlock(block.data());
    std::remove(path.c_str());
  }
}

TEST(SoundWav, FieldsAndDataOfALoadedFile) {
  const std::string frames = constantFrames(5, {0x7F, 0x80}, 8);
  const std::string path = diskCopy(riff(chunk("fmt ", fmtBody({2, 22050, 8, -1, 3}) + "ab") +
                                         chunk("data", frames)));
  WavSample sample;
  ASSERT_TRUE(readWavSample(path.c_str(), sample));
  EXPECT_EQ(sample.format.channels, 2);
  EXPECT_EQ(sample.format.sampleRate, 22050);
  EXPECT_EQ(sample.format.bitsPerSample, 8);
  EXPECT_EQ(sample.blockAlign, 2);
  ASSERT_EQ(sample.size, frames.size());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(sample.data.get()), sample.size), frames);
  std::remove(path.c_str());

  // A file that gives 0 channels is a one-channel sample.
  const std::string mono = diskCopy(wav({0, 44100, 16, 2}, kData));
  ASSERT_TRUE(readWavSample(mono.c_str(), sample));
  EXPECT_EQ(sample.format.channels, 1);
  EXPECT_EQ(sample.size, kData.size());
  std::remove(mono.c_str());
}

TEST(SoundWav, DataBeyondTheLargestSampleIsRefusedUnread) {
  // A sparse file that really holds 256 MiB of data after its header.
  const std::string header = riff(fmtChunk()).substr(0, 36) + "data" + le32(0x10000000);
  const std::string path = diskCopy(header);
  std::filesystem::resize_file(path, header.size() + 0x10000000);
  WavSample sample;
  EXPECT_FALSE(readWavSample(path.c_str(), sample));
  std::remove(path.c_str());
}

TEST(SoundWav, MissingFilesAndNamesFail) {
  WavSample sample;
  EXPECT_FALSE(readWavSample("/no/such/sound.wav", sample));
  EXPECT_FALSE(readWavSample("", sample));
  EXPECT_FALSE(readWavSample(nullptr, sample));
  char unregistered[64] = {};
  EXPECT_FALSE(readWavSample(makeMemoryName(unregistered, sizeof unregistered).c_str(), sample));
}

}  // namespace
}  // namespace mvn
