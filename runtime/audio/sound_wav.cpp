#include "runtime/audio/sound_wav.h"

#include <cstring>
#include <new>
#include <utility>

#include "runtime/files/rt_file.h"

namespace mvn {

namespace {

// The largest sample a sound buffer holds; larger data is refused unread.
constexpr uint32_t kMaxDataBytes = 0x0FFFFFFF;

uint16_t le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t le32(const unsigned char* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

struct Chunk {
  char id[5] = {};
  uint32_t size = 0;
  int64_t body = 0;  // file offset of its first byte
};

// The chunk header at offset at; false when no whole header is left. Every
// step of the walk moves forward and ends at the end of the file's bytes.
bool chunkAt(RtFile& file, int64_t at, Chunk& chunk) {
  unsigned char header[8];
  if (at < 0 || at + 8 > file.getSize()) return false;
  file.seek(at);
  if (!readExactly(file, header, 8)) return false;
  std::memcpy(chunk.id, header, 4);
  chunk.size = le32(header + 4);
  chunk.body = at + 8;
  return true;
}

// Where the chunk after this one starts. A chunk of odd size is padded to
// an even size with a zero byte; some writers leave the pad out, and then the
// next chunk's identifier, whose first character is never zero, stands there.
int64_t afterChunk(RtFile& file, const Chunk& chunk) {
  int64_t next = chunk.body + chunk.size;
  if ((chunk.size & 1) && next < file.getSize()) {
    unsigned char pad = 1;
    file.seek(next);
    if (readExactly(file, &pad, 1) && pad == 0) next++;
  }
  return next;
}

// Walks from at to the first chunk named id; at moves past every chunk passed.
bool findChunk(RtFile& file, int64_t& at, const char* id, Chunk& chunk) {
  while (chunkAt(file, at, chunk)) {
    if (std::memcmp(chunk.id, id, 4) == 0) return true;
    at = afterChunk(file, chunk);
  }
  return false;
}

bool readFormat(RtFile& file, const Chunk& chunk, WavSample& out) {
  unsigned char f[16];
  if (chunk.size < 16) return false;
  file.seek(chunk.body);
  if (!readExactly(file, f, sizeof f)) return false;
  // Format tag (f + 0) and bytes per second (f + 8) are not used: the data
  // is taken as PCM of the given shape.
  // A file that gives 0 channels plays as one channel.
  const int channels = le16(f + 2) == 0 ? 1 : le16(f + 2);
  const uint32_t rate = le32(f + 4);
  const int blockAlign = le16(f + 12);
  const int bits = le16(f + 14);
  if (channels < 1 || channels > 2 || rate == 0 || rate > 0x7FFFFFFF) return false;
  if ((bits != 8 && bits != 16) || blockAlign != channels * bits / 8) return false;
  out.format.channels = channels;
  out.format.sampleRate = static_cast<int>(rate);
  out.format.bitsPerSample = bits;
  out.blockAlign = blockAlign;
  return true;
}

}  // namespace

bool readWavSample(const char* name, WavSample& out) {
  out = WavSample();
  RtFile file;
  if (!file.openRead(name)) return false;
  unsigned char riff[12];
  if (!readExactly(file, riff, sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0 ||
      std::memcmp(riff + 8, "WAVE", 4) != 0) {
    return false;
  }

  WavSample sample;
  int64_t at = 12;
  Chunk chunk;
  if (!findChunk(file, at, "fmt ", chunk) || !readFormat(file, chunk, sample)) return false;
  at = afterChunk(file, chunk);
  if (!findChunk(file, at, "data", chunk)) return false;
  if (chunk.size > file.getSize() - chunk.body) return false;  // more than the file holds
  if (chunk.size > kMaxDataBytes) return false;

  sample.size = chunk.size;
  sample.data.reset(new (std::nothrow) unsigned char[chunk.size ? chunk.size : 1]);
  if (!sample.data) return false;
  file.seek(chunk.body);
  if (chunk.size && !readExactly(file, sample.data.get(), chunk.size)) return false;
  out = std::move(sample);
  return true;
}

}  // namespace mvn
