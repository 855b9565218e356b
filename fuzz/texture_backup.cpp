// Arbitrary bytes as a texture backup file: the reader hands over only
// records of the slot table with sides within the largest texture and pixels
// inside its buffer, never reads past the file and always comes to an end.
#include <cstdint>
#include <cstdlib>

#include "runtime/gfx2d/sprites/sprite_slot.h"
#include "runtime/gfx2d/sprites/texture_backup_file.h"

namespace {
volatile unsigned sink;  // keeps the pixel reads
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr int largestSide = 16384;
  mvn::MemoryBackupSource source(data, int64_t(size));
  mvn::BackupReader reader(source, largestSide);
  mvn::BackupRecord record;
  unsigned checksum = 0;
  for (size_t steps = 0;; ++steps) {
    // Every step consumes at least a header, or ends the reading.
    if (steps > size / mvn::backupHeaderSize + 1) std::abort();
    const mvn::BackupStep step = reader.next(record);
    if (step == mvn::BackupStep::End) break;
    if (step == mvn::BackupStep::Damaged) {
      if (!reader.damage() || reader.damageOffset() < 0 || reader.damageOffset() > int64_t(size))
        std::abort();
      if (reader.next(record) != mvn::BackupStep::Damaged) std::abort();
      break;
    }
    if (step == mvn::BackupStep::Skipped) {
      if (mvn::isSlotNumber(record.slot)) std::abort();
      continue;
    }
    if (!mvn::isSlotNumber(record.slot) || record.width < 0 || record.height < 0 ||
        record.width > largestSide || record.height > largestSide)
      std::abort();
    const int64_t bytes = int64_t(record.width) * record.height * 4;
    // Never more pixels than twice the file could hold.
    if (bytes > 2 * int64_t(size)) std::abort();
    for (int64_t i = 0; i < bytes; ++i) checksum += record.pixels[i];  // in bounds, or ASan says so
  }
  if (reader.next(record) == mvn::BackupStep::Record) std::abort();
  sink = checksum;
  return 0;
}
