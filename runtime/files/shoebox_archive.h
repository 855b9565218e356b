// The shoebox archive format (".sbx"), read from the end of a file:
//
//   trailer    at size-7: the bytes "sbX", then the 32-bit directory offset
//   directory  entries of: name length N (1 byte, 0 ends the directory),
//              N name bytes, 32-bit data offset, 32-bit stored size
//   member     stored size bytes: 32-bit unpacked size, then one LZO1X stream
//
// Integers are signed 32-bit little-endian. A directory offset of 0 or more
// makes every offset absolute; a negative one makes every offset count back
// from the end of the file, so such an archive can be appended to any file.
//
// One reader for the runtime's look-up and the archive tool. Every read is
// checked against the archive's bytes; damage shows as an error result.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/files/rt_file.h"

namespace mvn {

constexpr int64_t kShoeboxTrailerSize = 7;
constexpr unsigned char kShoeboxMagic[3] = {0x73, 0x62, 0x58};  // "sbX"
// The most a member may claim to unpack to, whatever its stored size.
constexpr int64_t kShoeboxMaxUnpackedSize = int64_t{1} << 30;

struct ShoeboxLayout {
  int64_t fileSize = 0;
  int32_t directoryOffset = 0;

  bool countedFromEnd() const { return directoryOffset < 0; }
  // The file position an offset of this archive designates.
  int64_t positionOf(int32_t offset) const {
    return countedFromEnd() ? fileSize + offset : int64_t{offset};
  }
};

enum class ShoeboxTrailer { Ok, Unreadable, BadMagic };

// Reads the trailer and, when it is sound, positions the file at the directory.
// Unreadable also covers a directory position outside the file.
ShoeboxTrailer readShoeboxTrailer(RtFile& archive, ShoeboxLayout* layout);

struct ShoeboxEntry {
  std::string name;  // as stored, any bytes
  int32_t dataOffset = 0;
  int32_t storedSize = 0;
};

enum class ShoeboxEntryRead { Entry, End, Unreadable };

// Reads the directory entry at the file's position.
ShoeboxEntryRead readShoeboxEntry(RtFile& archive, ShoeboxEntry* entry);

// Reads a member's whole block. False when the stored size is below 4, the
// block does not lie inside the archive, the memory for it cannot be had, or
// not all of it can be read.
bool readShoeboxBlock(RtFile& archive, const ShoeboxLayout& layout, const ShoeboxEntry& entry,
                      std::vector<unsigned char>* stored);

// The unpacked size recorded at the start of a block (at least 4 bytes).
int32_t recordedUnpackedSize(const std::vector<unsigned char>& stored);

struct UnpackedMember {
  std::unique_ptr<unsigned char[]> block;  // never null: at least one byte
  uint32_t length = 0;                     // 0 when the member cannot be unpacked
  bool ok = false;                         // the LZO stream decoded without error
};

// Unpacks a block read by readShoeboxBlock. A recorded size that is negative,
// above kShoeboxMaxUnpackedSize or beyond what the stored bytes can expand to
// counts as damage, like a damaged LZO stream.
UnpackedMember unpackShoeboxMember(const std::vector<unsigned char>& stored);

// True when the whole of entryName equals the last component of name (after
// its last "/" or "\"), ignoring the case of ASCII letters.
bool shoeboxNameMatches(const std::string& entryName, const char* name);

}  // namespace mvn
