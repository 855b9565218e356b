#include "runtime/gfx2d/sprites/texture_backup.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "runtime/core/log.h"
#include "runtime/core/runtime_objects.h"
#include "runtime/files/rt_file.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/sprites/sprite_memory.h"
#include "runtime/gfx2d/sprites/sprite_store.h"
#include "runtime/gfx2d/sprites/texture_backup_file.h"
#include "runtime/platform/files.h"
#include "runtime/platform/process.h"

namespace mvn {

namespace {

class FileBackupSource : public BackupSource {
 public:
  explicit FileBackupSource(int handle) : handle_(handle), size_(platform::fileSize(handle)) {}
  int64_t size() const override { return size_; }
  int64_t readAt(int64_t offset, void* destination, int64_t count) override {
    return platform::readFileAt(handle_, offset, destination, count);
  }

 private:
  int handle_;
  int64_t size_;
};

void logFormatted(const char* format, long long number, const char* text = "") {
  char line[256];
  std::snprintf(line, sizeof line, format, number, text);
  logLine(line);
}

// The largest texture side the current context takes, within what a slot records.
int largestSide() {
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  return maxSize > 0 ? std::min<int>(maxSize, largestTextureSide) : largestTextureSide;
}

// The backup of this run: the name it goes under, and whether the file of
// that name is one this run wrote and has not consumed yet. A file under the
// name that this run did not write belongs to someone else and is never
// read, replaced or removed.
struct BackupFile {
  std::string name;
  bool ours = false;
};
BackupFile backup;

constexpr int kNameTries = 8;

// "mvntxs" + the process id and a random part in hexadecimal + ".bin": runs
// in separate process-id spaces sharing one temporary directory may have the
// same id, never (but by an improbable draw, which the exclusive creation
// then catches) the same random part.
std::string freshBackupName() {
  char file[48];
  std::snprintf(file, sizeof file, "mvntxs%x%08x.bin", platform::processId(),
                platform::randomNumber());
  return platform::temporaryDirectory() + file;
}

// Creates the file of a new backup, exclusively: a name taken by anything (a
// file of another run, a directory, a symbolic link) is passed over for
// another random part, a few times. An older backup of this run goes first.
int createBackupFile() {
  removeTextureBackup();
  for (int attempt = 0; attempt < kNameTries; ++attempt) {
    const int file = platform::createPrivateFile(textureBackupName().c_str());
    if (file != platform::kNoFile) return file;
    backup.name = freshBackupName();
  }
  return platform::kNoFile;
}

// Writes the record of every loaded slot into a file made for this backup
// alone. False, with no file left, when it cannot be made or written whole.
bool writeBackup(OpenGLRainbows& r) {
  const int file = createBackupFile();
  logLine(("move textures from mem to temp file\n   \"" + textureBackupName() + "\"\n").c_str());
  if (file == platform::kNoFile) {
    logLine("   the backup file cannot be created\n");
    return false;
  }
  backup.ours = true;
  std::vector<uint8_t> image;
  int64_t at = 0;
  bool written = true;
  for (int slot = 0; slot < slotCount && written; ++slot) {
    if (r.spriteSlots[slot].imageWidth < 1) continue;
    int width = 0, height = 0;
    if (!readSlotImage(r, slot, image, width, height)) {
      logFormatted("   slot %lld cannot be read back and is not saved\n", slot);
      continue;
    }
    uint8_t header[backupHeaderSize];
    encodeBackupHeader(header, slot, width, height);
    const int64_t bytes = int64_t(width) * height * 4;
    written = platform::writeFileAt(file, at, header, backupHeaderSize) &&
              platform::writeFileAt(file, at + backupHeaderSize, image.data(), bytes);
    at += backupHeaderSize + bytes;
  }
  platform::closeFile(file);
  if (!written) {
    logLine("   the backup file cannot be written; none is kept\n");
    removeTextureBackup();
  }
  return written;
}

}  // namespace

const std::string& textureBackupName() {
  if (backup.name.empty()) backup.name = freshBackupName();
  return backup.name;
}

void removeTextureBackup() {
  if (!backup.ours) return;
  removePath(backup.name.c_str());
  backup.ours = false;
}

int saveTextures(OpenGLRainbows& r) {
  const bool saved = writeBackup(r);
  logLine("   ...done\n");
  return saved ? 1 : 0;
}

int restoreTextures(OpenGLRainbows& r) {
  logLine("restoring textures from temp file\n");
  const int file = backup.ours ? platform::openOwnFileRead(textureBackupName().c_str())
                               : platform::kNoFile;
  if (file == platform::kNoFile) {
    logLine("   ...done\n");
    return 0;
  }
  FileBackupSource source(file);
  BackupReader reader(source, largestSide());
  BackupRecord record;
  BackupStep step;
  while ((step = reader.next(record)) != BackupStep::End && step != BackupStep::Damaged) {
    if (step == BackupStep::Skipped) {
      logFormatted("   slot %lld is outside the slot table and is skipped\n", record.slot);
      continue;
    }
    const ImageView image{record.pixels, record.width, record.height};
    if (!uploadImage(r, record.slot, image, false) && record.width > 0 && record.height > 0)
      logFormatted("   slot %lld cannot be restored\n", record.slot);
    forgetEmptyFont(r, record.slot);
  }
  if (step == BackupStep::Damaged)
    logFormatted("   the backup is damaged at byte %lld (%s); the restore ends there\n",
                 reader.damageOffset(), reader.damage());
  platform::closeFile(file);
  removeTextureBackup();
  logLine("   ...done\n");
  return 1;
}

int backupTextures(int restore) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return 0;
  return restore ? restoreTextures(*r) : saveTextures(*r);
}

}  // namespace mvn
