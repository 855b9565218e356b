#include "runtime/files/shoebox_archive.h"

#include <lzo/lzo1x.h>

#include <cstring>
#include <new>

namespace mvn {

namespace {

int32_t readLe32(const unsigned char* p) {
  const uint32_t v = uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 |
                     uint32_t{p[3]} << 24;
  return static_cast<int32_t>(v);
}

bool readInt32(RtFile& file, int32_t* value) {
  unsigned char bytes[4];
  if (!readExactly(file, bytes, 4)) return false;
  *value = readLe32(bytes);
  return true;
}

bool lzoReady() {
  static const bool ready = lzo_init() == LZO_E_OK;
  return ready;
}

// LZO1X cannot expand one input byte to more than 255 output bytes.
int64_t expansionLimit(int64_t packedBytes) { return packedBytes * 256 + 64; }

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

ShoeboxTrailer readShoeboxTrailer(RtFile& archive, ShoeboxLayout* layout) {
  layout->fileSize = archive.getSize();
  if (layout->fileSize < kShoeboxTrailerSize) return ShoeboxTrailer::Unreadable;
  archive.seek(layout->fileSize - kShoeboxTrailerSize);
  unsigned char magic[3];
  if (!readExactly(archive, magic, 3)) return ShoeboxTrailer::Unreadable;
  if (std::memcmp(magic, kShoeboxMagic, 3) != 0) return ShoeboxTrailer::BadMagic;
  if (!readInt32(archive, &layout->directoryOffset)) return ShoeboxTrailer::Unreadable;
  const int64_t directory = layout->positionOf(layout->directoryOffset);
  if (directory < 0 || directory >= layout->fileSize) return ShoeboxTrailer::Unreadable;
  archive.seek(directory);
  return ShoeboxTrailer::Ok;
}

ShoeboxEntryRead readShoeboxEntry(RtFile& archive, ShoeboxEntry* entry) {
  unsigned char length = 0;
  if (!readExactly(archive, &length, 1)) return ShoeboxEntryRead::Unreadable;
  if (length == 0) return ShoeboxEntryRead::End;
  char name[255];
  if (!readExactly(archive, name, length) || !readInt32(archive, &entry->dataOffset) ||
      !readInt32(archive, &entry->storedSize)) {
    return ShoeboxEntryRead::Unreadable;
  }
  entry->name.assign(name, length);
  return ShoeboxEntryRead::Entry;
}

bool readShoeboxBlock(RtFile& archive, const ShoeboxLayout& layout, const ShoeboxEntry& entry,
                      std::vector<unsigned char>* stored) {
  const int64_t start = layout.positionOf(entry.dataOffset);
  if (entry.storedSize < 4 || start < 0 || start > layout.fileSize - entry.storedSize) {
    return false;
  }
  // The archive decides the size: a block that cannot be had is not read.
  try {
    stored->assign(static_cast<size_t>(entry.storedSize), 0);
  } catch (const std::bad_alloc&) {
    stored->clear();
    return false;
  }
  archive.seek(start);
  return readExactly(archive, stored->data(), entry.storedSize);
}

int32_t recordedUnpackedSize(const std::vector<unsigned char>& stored) {
  return stored.size() < 4 ? 0 : readLe32(stored.data());
}

UnpackedMember unpackShoeboxMember(const std::vector<unsigned char>& stored) {
  UnpackedMember member;
  const int64_t packed = static_cast<int64_t>(stored.size()) - 4;
  const int64_t unpacked = recordedUnpackedSize(stored);
  const bool plausible = packed >= 0 && unpacked >= 0 && unpacked <= kShoeboxMaxUnpackedSize &&
                         unpacked <= expansionLimit(packed);
  if (plausible && lzoReady()) {
    member.block.reset(new (std::nothrow) unsigned char[static_cast<size_t>(unpacked) + 1]);
  }
  if (!member.block) {
    member.block.reset(new unsigned char[1]);
    return member;
  }
  lzo_uint produced = static_cast<lzo_uint>(unpacked);
  const int result = lzo1x_decompress_safe(stored.data() + 4, static_cast<lzo_uint>(packed),
                                           member.block.get(), &produced, nullptr);
  if (result == LZO_E_OK) {
    member.ok = true;
    member.length = static_cast<uint32_t>(produced);
  }
  return member;
}

bool shoeboxNameMatches(const std::string& entryName, const char* name) {
  if (!name) return false;
  const char* base = name;
  for (const char* p = name; *p; ++p) {
    if (*p == '/' || *p == '\\') base = p + 1;
  }
  const size_t baseLength = std::strlen(base);
  if (baseLength == 0 || entryName.size() != baseLength) return false;
  for (size_t i = 0; i < baseLength; ++i) {
    if (asciiLower(entryName[i]) != asciiLower(base[i])) return false;
  }
  return true;
}

}  // namespace mvn
