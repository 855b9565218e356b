// The texture backup file: its records and a reader that checks every number
// it takes from the file before using it. Nothing here touches OpenGL.
//
// The file is a sequence of records, one per saved slot in increasing slot
// order, with no header and no trailer. All integers are 32-bit little-endian:
//
//   offset 0   slot number (signed)
//   offset 4   width in pixels (signed)
//   offset 8   height in pixels (signed)
//   offset 12  width x height pixels of 4 bytes (red, green, blue, alpha),
//              width pixels per row, rows from the image's bottom row upwards
#pragma once

#include <cstdint>
#include <vector>

namespace mvn {

constexpr int backupHeaderSize = 12;

// The 12 header bytes of a record.
void encodeBackupHeader(uint8_t* out, int32_t slot, int32_t width, int32_t height);

// Where a backup is read from: a file, or bytes in memory.
class BackupSource {
 public:
  virtual ~BackupSource() = default;
  virtual int64_t size() const = 0;
  // Reads up to count bytes at offset: the number read, -1 on failure.
  virtual int64_t readAt(int64_t offset, void* destination, int64_t count) = 0;
};

class MemoryBackupSource : public BackupSource {
 public:
  MemoryBackupSource(const uint8_t* data, int64_t size) : data_(data), size_(size) {}
  int64_t size() const override { return size_; }
  int64_t readAt(int64_t offset, void* destination, int64_t count) override;

 private:
  const uint8_t* data_;
  int64_t size_;
};

// A record as the reader hands it over: a slot of the slot table and its
// image, top row first, in the reader's buffer until the next call.
struct BackupRecord {
  int slot = 0;
  int width = 0;   // 0 .. largest side
  int height = 0;
  const uint8_t* pixels = nullptr;  // width x height x 4 bytes
  bool shortRead = false;           // the file ended inside the pixels: the rest is zero
};

enum class BackupStep {
  Record,   // record filled: upload it
  Skipped,  // record.slot is outside the slot table; its pixels were passed over
  End,      // the end of the file (after a short last record too)
  Damaged,  // reading stopped early; damage() and damageOffset() tell why and where
};

// Reads the records of a backup one after the other through one reusable
// buffer. A record stops the reading when its header is cut off, when a side
// is negative or larger than largestSide, or when its pixels run past the end
// of the file by more than the bytes that are there: a short last record is
// taken (the missing bytes zero) only while at least half of it arrived, so a
// file never makes the reader allocate more than twice its own size.
class BackupReader {
 public:
  BackupReader(BackupSource& source, int largestSide);
  BackupStep next(BackupRecord& record);
  const char* damage() const { return damage_; }
  int64_t damageOffset() const { return damageOffset_; }

 private:
  BackupStep fail(const char* why);

  BackupSource& source_;
  int largestSide_;
  int64_t size_;
  int64_t position_ = 0;
  bool finished_ = false;
  const char* damage_ = nullptr;
  int64_t damageOffset_ = 0;
  std::vector<uint8_t> buffer_;
};

}  // namespace mvn
