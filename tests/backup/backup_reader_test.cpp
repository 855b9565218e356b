// Reading backup files without a context: record checks, the short last
// record, the reused buffer; and the clean-up of the renderer's construction
// and destruction, which needs no window.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/sprites/texture_backup.h"
#include "runtime/gfx2d/sprites/texture_backup_file.h"
#include "runtime/platform/files.h"

namespace mvn {
namespace {

std::vector<uint8_t> header(int32_t slot, int32_t width, int32_t height) {
  std::vector<uint8_t> bytes(backupHeaderSize);
  encodeBackupHeader(bytes.data(), slot, width, height);
  return bytes;
}

void append(std::vector<uint8_t>& file, const std::vector<uint8_t>& bytes) {
  file.insert(file.end(), bytes.begin(), bytes.end());
}

TEST(BackupReader, HeaderIsLittleEndianAndRowsComeBackTopFirst) {
  EXPECT_EQ(header(0x01020304, -2, 65536),
            (std::vector<uint8_t>{4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 1, 0}));
  // A 1 x 3 image, rows bottom first in the file.
  std::vector<uint8_t> file = header(7, 1, 3);
  append(file, {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3});
  MemoryBackupSource source(file.data(), int64_t(file.size()));
  BackupReader reader(source, 16);
  BackupRecord record;
  ASSERT_EQ(reader.next(record), BackupStep::Record);
  EXPECT_EQ(record.slot, 7);
  EXPECT_FALSE(record.shortRead);
  EXPECT_EQ(std::vector<uint8_t>(record.pixels, record.pixels + 12),
            (std::vector<uint8_t>{3, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1}));
  EXPECT_EQ(reader.next(record), BackupStep::End);
  EXPECT_EQ(reader.damage(), nullptr);
}

// A short last record is taken while at least half of its pixels are in the
// file; its missing bytes are zero even where a larger earlier record left
// its pixels in the reused buffer.
TEST(BackupReader, ShortLastRecordNeedsHalfItsPixels) {
  struct Case {
    int present;  // of 16 pixel bytes (2 x 2)
    BackupStep second;
  } cases[] = {{16, BackupStep::Record}, {8, BackupStep::Record}, {7, BackupStep::Damaged},
               {0, BackupStep::Damaged}};
  for (const Case& c : cases) {
    std::vector<uint8_t> file = header(1, 4, 4);
    append(file, std::vector<uint8_t>(64, 0xEE));
    append(file, header(2, 2, 2));
    append(file, std::vector<uint8_t>(size_t(c.present), 0x11));
    MemoryBackupSource source(file.data(), int64_t(file.size()));
    BackupReader reader(source, 16);
    BackupRecord record;
    ASSERT_EQ(reader.next(record), BackupStep::Record);
    ASSERT_EQ(reader.next(record), c.second) << c.present;
    if (c.second == BackupStep::Record) {
      EXPECT_EQ(record.shortRead, c.present < 16);
      // Rows top first: the file's second row (bytes 8-15) comes first.
      std::vector<uint8_t> expected(16, 0);
      for (int i = 0; i < c.present; ++i) expected[size_t(i < 8 ? i + 8 : i - 8)] = 0x11;
      EXPECT_EQ(std::vector<uint8_t>(record.pixels, record.pixels + 16), expected) << c.present;
    } else {
      EXPECT_EQ(reader.damageOffset(), 12 + 64);
    }
    EXPECT_EQ(reader.next(record), c.second == BackupStep::Record ? BackupStep::End : c.second);
  }
}

TEST(BackupReader, SizesBeyondTheLargestTextureStopBeforeAnyAllocation) {
  const std::vector<int32_t> sides = {17, 0x7FFFFFFF, -1, int32_t(0x80000000)};
  for (int32_t side : sides) {
    for (bool asWidth : {true, false}) {
      std::vector<uint8_t> file = asWidth ? header(0, side, 1) : header(0, 1, side);
      append(file, std::vector<uint8_t>(4096, 0));
      MemoryBackupSource source(file.data(), int64_t(file.size()));
      BackupReader reader(source, 16);
      BackupRecord record;
      EXPECT_EQ(reader.next(record), BackupStep::Damaged) << side;
      EXPECT_EQ(reader.damageOffset(), 0);
    }
  }
}

// The backup name is the process id and a random part; renderers made and
// destroyed remove only a backup of their own run, so a file, a directory or
// a link someone else left under the name (another run whose process has the
// same id in another process-id space, say) stays as it is.
TEST(BackupCleanUp, RenderersLeaveWhatOthersPutUnderTheName) {
  char prefix[64];
  std::snprintf(prefix, sizeof prefix, "mvntxs%x", unsigned(::getpid()));
  const std::string name = textureBackupName();
  const std::string dir = platform::temporaryDirectory();
  ASSERT_EQ(name.rfind(dir + prefix, 0), 0u) << name;
  EXPECT_TRUE(std::regex_match(name.substr(dir.size() + std::strlen(prefix)),
                               std::regex("[0-9a-f]{8}\\.bin")))
      << name;
  const std::string target = dir + "backup-link-target";
  std::ofstream(target) << "keep";
  namespace fs = std::filesystem;
  auto plantFile = [&] { std::ofstream(name) << "theirs"; };
  auto plantDirectory = [&] { ASSERT_TRUE(fs::create_directory(name)); };
  auto plantLink = [&] { fs::create_symlink(target, name); };
  std::vector<std::function<void()>> plants = {plantFile, plantDirectory};
#ifndef _WIN32
  plants.push_back(plantLink);  // links need a privilege on Windows that a test run lacks
#else
  (void)plantLink;
#endif
  for (size_t i = 0; i < plants.size(); ++i) {
    plants[i]();
    delete new OpenGLRainbows;
    std::error_code ec;
    EXPECT_TRUE(fs::exists(fs::symlink_status(name, ec))) << "case " << i;
    EXPECT_EQ(textureBackupName(), name);
    fs::remove(name, ec);
  }
  std::ifstream in(target);
  std::string text;
  in >> text;
  EXPECT_EQ(text, "keep");
  std::remove(target.c_str());
}

}  // namespace
}  // namespace mvn
