// Archives built byte by byte, independently of the archive tool: the
// directory comes before the member blocks, members are compressed with the
// fast LZO1X compressor, and any field can be falsified.
#pragma once

#include <lzo/lzo1x.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testarchive {

inline void putLe32(std::string* out, int64_t value) {
  const auto v = static_cast<uint32_t>(static_cast<int32_t>(value));
  for (int shift = 0; shift < 32; shift += 8) out->push_back(static_cast<char>(v >> shift));
}

// A member block: the unpacked size, then contents as one LZO1X stream.
inline std::string lzoBlock(const std::string& contents) {
  lzo_init();
  std::vector<unsigned char> work(LZO1X_1_MEM_COMPRESS);
  std::vector<unsigned char> packed(contents.size() + contents.size() / 16 + 64 + 3);
  lzo_uint packedLength = 0;
  lzo1x_1_compress(reinterpret_cast<const unsigned char*>(contents.data()), contents.size(),
                   packed.data(), &packedLength, work.data());
  std::string block;
  putLe32(&block, static_cast<int64_t>(contents.size()));
  block.append(reinterpret_cast<const char*>(packed.data()), packedLength);
  return block;
}

struct Member {
  Member(std::string memberName, std::string memberBlock, std::optional<int64_t> offset = {},
         std::optional<int64_t> size = {})
      : name(std::move(memberName)), block(std::move(memberBlock)), dataOffset(offset),
        storedSize(size) {}

  std::string name;
  std::string block;                     // usually lzoBlock(contents)
  std::optional<int64_t> dataOffset;     // falsified data offset
  std::optional<int64_t> storedSize;     // falsified stored size
};

enum class Mode { Absolute, FromEnd };

// prefix + directory + blocks + trailer. With FromEnd the offsets count back
// from the end of the whole result, prefix included, as for an appended archive.
inline std::string buildArchive(const std::vector<Member>& members, Mode mode,
                                const std::string& prefix = "",
                                std::optional<int64_t> directoryOffset = {}) {
  int64_t directoryLength = 1;
  int64_t blocksLength = 0;
  for (const Member& m : members) {
    directoryLength += 1 + static_cast<int64_t>(m.name.size()) + 8;
    blocksLength += static_cast<int64_t>(m.block.size());
  }
  const int64_t total = static_cast<int64_t>(prefix.size()) + directoryLength + blocksLength + 7;
  const int64_t base = mode == Mode::FromEnd ? -total : 0;
  std::string directory;
  std::string blocks;
  int64_t at = static_cast<int64_t>(prefix.size()) + directoryLength;
  for (const Member& m : members) {
    directory.push_back(static_cast<char>(m.name.size()));
    directory += m.name;
    putLe32(&directory, m.dataOffset.value_or(at + base));
    putLe32(&directory, m.storedSize.value_or(static_cast<int64_t>(m.block.size())));
    blocks += m.block;
    at += static_cast<int64_t>(m.block.size());
  }
  directory.push_back('\0');
  std::string out = prefix + directory + blocks + "sbX";
  putLe32(&out, directoryOffset.value_or(static_cast<int64_t>(prefix.size()) + base));
  return out;
}

}  // namespace testarchive
