#include "runtime/gfx2d/sprites/texture_backup_file.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "runtime/gfx2d/sprites/sprite_slot.h"

namespace mvn {

namespace {

int32_t readInt32(const uint8_t* p) {
  return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                              uint32_t(p[3]) << 24);
}

void writeInt32(uint8_t* p, int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
  p[3] = uint8_t(v >> 24);
}

// Turns width x height pixels upside down in place.
void flipRows(uint8_t* pixels, int width, int height) {
  const size_t row = size_t(width) * 4;
  for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
    std::swap_ranges(pixels + top * row, pixels + (top + 1) * row, pixels + bottom * row);
  }
}

}  // namespace

void encodeBackupHeader(uint8_t* out, int32_t slot, int32_t width, int32_t height) {
  writeInt32(out, slot);
  writeInt32(out + 4, width);
  writeInt32(out + 8, height);
}

int64_t MemoryBackupSource::readAt(int64_t offset, void* destination, int64_t count) {
  if (offset < 0 || count < 0) return -1;
  if (offset >= size_) return 0;
  const int64_t n = std::min(count, size_ - offset);
  if (n > 0) std::memcpy(destination, data_ + offset, size_t(n));
  return n;
}

BackupReader::BackupReader(BackupSource& source, int largestSide)
    : source_(source), largestSide_(largestSide), size_(std::max<int64_t>(source.size(), 0)) {}

BackupStep BackupReader::fail(const char* why) {
  finished_ = true;
  damage_ = why;
  damageOffset_ = position_;
  return BackupStep::Damaged;
}

BackupStep BackupReader::next(BackupRecord& record) {
  if (finished_) return damage_ ? BackupStep::Damaged : BackupStep::End;
  const int64_t remaining = size_ - position_;
  if (remaining <= 0) {
    finished_ = true;
    return BackupStep::End;
  }
  if (remaining < backupHeaderSize) return fail("the file ends inside a record's header");
  uint8_t header[backupHeaderSize];
  if (source_.readAt(position_, header, backupHeaderSize) != backupHeaderSize)
    return fail("the record's header cannot be read");
  const int32_t slot = readInt32(header);
  const int32_t width = readInt32(header + 4);
  const int32_t height = readInt32(header + 8);
  if (width < 0 || height < 0) return fail("negative image size");
  if (width > largestSide_ || height > largestSide_) return fail("image larger than a texture");

  // Both sides are checked: the product fits comfortably.
  const int64_t bytes = int64_t(width) * height * 4;
  const int64_t present = std::min(bytes, remaining - backupHeaderSize);
  if (bytes - present > present) return fail("the image runs past the end of the file");

  record = BackupRecord{};
  record.slot = slot;
  record.shortRead = present < bytes;
  if (!isSlotNumber(slot)) {
    position_ += backupHeaderSize + present;
    finished_ = record.shortRead;
    return BackupStep::Skipped;
  }

  if (buffer_.size() < size_t(bytes)) {
    try {
      buffer_.resize(size_t(bytes));
    } catch (const std::bad_alloc&) {
      return fail("no memory for the image");
    }
  }
  int64_t got = present > 0 ? source_.readAt(position_ + backupHeaderSize, buffer_.data(), present) : 0;
  if (got < 0) got = 0;
  std::fill(buffer_.begin() + got, buffer_.begin() + bytes, uint8_t(0));
  if (got < present) record.shortRead = true;  // the file shrank under the reader
  flipRows(buffer_.data(), width, height);

  record.width = width;
  record.height = height;
  record.pixels = buffer_.data();
  position_ += backupHeaderSize + present;
  finished_ = record.shortRead;
  return BackupStep::Record;
}

}  // namespace mvn
