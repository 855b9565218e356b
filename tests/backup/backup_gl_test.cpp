// backupTextures on the real context: slots carried over a new context, the
// file it writes, damaged backups, a link planted at its name, a save that
// cannot be written.
#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/core/log.h"
#include "runtime/gfx2d/images/decoded_image.h"
#include "runtime/gfx2d/fonts/font_builtin.h"
#include "runtime/gfx2d/fonts/font_loading.h"
#include "runtime/gfx2d/fonts/font_selection.h"
#include "runtime/gfx2d/fonts/font_text.h"
#include "runtime/gfx2d/images/image_writer.h"
#include "runtime/gfx2d/sprites/sprite_loading.h"
#include "runtime/gfx2d/sprites/texture_backup.h"
#include "runtime/gfx2d/sprites/texture_backup_file.h"
#include "runtime/platform/files.h"
#include "tests/gfx2d/gl_fixture.h"
#include "tests/support/gl_window.h"  // GL_SAMPLE_BUFFERS where gl.h lacks it

namespace mvn {
namespace {

using testing::rgba;

// Each test starts from an 800 x 480 window with every slot empty.
class Backup : public testing::GlDrawing {};

std::string tempFile(const char* name) { return platform::temporaryDirectory() + name; }

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              std::streamsize(bytes.size()));
}

// Anything at the name, a dangling link included.
bool present(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::symlink_status(std::filesystem::u8path(path), ec));
}

// Writes an image file of the format its name asks for.
void writeImage(const std::string& name, int width, int height, int32_t (*pixel)(int, int)) {
  DecodedImage image;
  ASSERT_TRUE(image.prepare(width, height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t p = uint32_t(pixel(x, y));
      unsigned char* out = image.row(y) + x * 4;
      out[0] = uint8_t(p), out[1] = uint8_t(p >> 8), out[2] = uint8_t(p >> 16), out[3] = uint8_t(p >> 24);
    }
  }
  ASSERT_TRUE(saveImage(name.c_str(), image));
}

// Everything of a slot that a backup must bring back: its record but the
// texture names, and its image as read back from the texture.
struct SlotCopy {
  SpriteSlot record;
  std::vector<uint8_t> image;
};

SlotCopy copyOf(OpenGLRainbows& r, int slot) {
  SlotCopy copy{r.spriteSlots[slot], {}};
  int width = 0, height = 0;
  readSlotImage(r, slot, copy.image, width, height);
  return copy;
}

void expectSame(const SlotCopy& before, const SlotCopy& after, int slot) {
  const SpriteSlot &a = before.record, &b = after.record;
  EXPECT_EQ(b.imageWidth, a.imageWidth) << slot;
  EXPECT_EQ(b.imageHeight, a.imageHeight) << slot;
  EXPECT_EQ(b.textureWidth, a.textureWidth) << slot;
  EXPECT_EQ(b.textureHeight, a.textureHeight) << slot;
  EXPECT_EQ(b.uExtent, a.uExtent) << slot;
  EXPECT_EQ(b.vExtent, a.vExtent) << slot;
  EXPECT_EQ(b.frameWidth, a.frameWidth) << slot;
  EXPECT_EQ(b.frameHeight, a.frameHeight) << slot;
  EXPECT_EQ(b.mipTexture != 0, a.mipTexture != 0) << slot;
  EXPECT_FALSE(after.image.empty()) << slot;
  EXPECT_TRUE(after.image == before.image) << "slot " << slot << " differs";
}

GLint minFilterOf(OpenGLRainbows& r, int slot) {
  GLint filter = 0;
  glBindTexture(GL_TEXTURE_2D, r.spriteSlots[slot].texture);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
  forgetBindings(r);
  return filter;
}

// What a display change that needs a new pixel format amounts to: the window
// and its context go with every texture (the slot table stays), a new
// multisampled context comes, and setScreen shows its window.
void recreateContext(OpenGLRainbows& r, int width, int height) {
  releaseWindowSide(r);
  ASSERT_EQ(r.spriteSlots[100].imageWidth, 0);
  ASSERT_TRUE(createContext(r, platform::executableModule(), width, height, 0, 0, 1, 0));
  runtimeObjects.mainWindow = r.window;
  setScreen(width, height, 0);
  GLint sampleBuffers = 0;
  glGetIntegerv(GL_SAMPLE_BUFFERS, &sampleBuffers);
  ASSERT_EQ(sampleBuffers, 1);  // a context of another pixel format: truly a new one
}

TEST_F(Backup, CarriesEverySlotOverANewContext) {
  const std::string media = std::string(MORVANE_SOURCE_DIR) + "/game/Media/";
  loadAnim((media + "1.jpg").c_str(), 100, 120, 120);  // a picture
  loadAnim((media + "ticker.png").c_str(), 17, 12, 12);  // an animation strip
  const std::string keyed = tempFile("backup-keyed.bmp");
  writeImage(keyed, 5, 3, [](int x, int y) { return x == 2 && y == 1 ? rgba(0x336699) : rgba(testing::kKey); });
  loadSprite(keyed.c_str(), 12);
  // A font from a file into font 0, the built-in font into font 1.
  const std::string font = tempFile("backup-font.bmp");
  writeImage(font, 32, 16, [](int x, int y) { return (x + y) % 3 ? rgba(0xFFFFFF) : rgba(0); });
  loadFont(font.c_str(), 0);
  buildBuiltinFont(*r, 1);
  makeSprite(slotCount - 1, 3, 2, [](int x, int y) { return rgba(0x010203 * (x + 3 * y + 1), 99); });
  ASSERT_EQ(errorCode, 0);

  const int slots[] = {12, 17, 100, firstFontSlot, firstFontSlot + 1, slotCount - 1};
  std::vector<SlotCopy> before;
  int64_t fileSize = 0;
  for (int slot : slots) {
    before.push_back(copyOf(*r, slot));
    ASSERT_GT(before.back().record.imageWidth, 0) << slot;
    fileSize += 12 + int64_t(before.back().image.size());
  }
  EXPECT_EQ(before[1].record.frameWidth, 12);

  ASSERT_EQ(backupTextures(0), 1);
  EXPECT_EQ(int64_t(fileText(textureBackupName()).size()), fileSize);
  recreateContext(*r, 640, 400);
  ASSERT_EQ(backupTextures(1), 1);
  EXPECT_FALSE(present(textureBackupName()));

  for (size_t i = 0; i < before.size(); ++i) expectSame(before[i], copyOf(*r, slots[i]), slots[i]);
  // Slots from the first font slot up have no mip copy and nearest filtering.
  for (int slot : {firstFontSlot, slotCount - 1}) EXPECT_EQ(r->spriteSlots[slot].mipTexture, 0u) << slot;
  EXPECT_NE(r->spriteSlots[100].mipTexture, 0u);
  EXPECT_EQ(minFilterOf(*r, firstFontSlot), GL_NEAREST);
  EXPECT_EQ(minFilterOf(*r, firstFontSlot + 1), GL_NEAREST);
  EXPECT_EQ(minFilterOf(*r, 100), GL_LINEAR);

  // And it draws the same way up: the keyed image's one opaque pixel.
  clearScreen(0);
  drawSprite(12, 10, 10);
  EXPECT_EQ(colourAt(12, 11), 0x336699u);
  EXPECT_EQ(colourAt(12, 10), testing::kBlack);
}

// An 8 x 8 image is saved as 12 + 256 bytes, bottom row first, into a file
// only its owner can read; a restore with no display change between leaves
// every slot as it was and consumes the file.
TEST_F(Backup, FileOfAnEightByEightSlotAndARestoreInThePlace) {
  auto pixel = [](int x, int y) { return rgba(uint32_t(x * 16 + y), 200); };
  makeSprite(3, 8, 8, pixel);
  setAnimFrameSize(3, 4, 2);
  makeSprite(4, 20, 1, pixel);
  const SlotCopy three = copyOf(*r, 3), four = copyOf(*r, 4);
  const std::string log = fileText(logPath());

  ASSERT_EQ(backupTextures(0), 1);
  const std::string name = textureBackupName();
#ifndef _WIN32
  struct stat st;
  ASSERT_EQ(::stat(name.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
#endif
  const std::string bytes = fileText(name);
  ASSERT_EQ(bytes.size(), size_t(12 + 256 + 12 + 80));
  EXPECT_EQ(bytes.substr(0, 12), std::string("\3\0\0\0\x8\0\0\0\x8\0\0\0", 12));
  EXPECT_EQ(uint8_t(bytes[12]), 7);       // (0, 7): the bottom-left pixel first
  EXPECT_EQ(uint8_t(bytes[12 + 4]), 23);  // (1, 7)
  EXPECT_EQ(uint8_t(bytes[15]), 200);
  EXPECT_EQ(bytes.substr(268, 4), std::string("\4\0\0\0", 4));

  ASSERT_EQ(backupTextures(1), 1);
  EXPECT_FALSE(present(name));
  expectSame(three, copyOf(*r, 3), 3);
  expectSame(four, copyOf(*r, 4), 4);
  EXPECT_EQ(r->spriteSlots[3].textureWidth, 16);
  EXPECT_EQ(r->spriteSlots[3].uExtent, 0.5f);
  EXPECT_EQ(fileText(logPath()).substr(log.size()),
            "move textures from mem to temp file\n   \"" + name + "\"\n   ...done\n" +
                "restoring textures from temp file\n   ...done\n");
}

TEST_F(Backup, OfNoSlotsIsAnEmptyFileAndARestoreNeedsASave) {
  EXPECT_EQ(backupTextures(1), 0);  // nothing saved yet
  ASSERT_EQ(backupTextures(0), 1);
  EXPECT_EQ(fileText(textureBackupName()), "");
  EXPECT_EQ(backupTextures(1), 1);
  EXPECT_FALSE(present(textureBackupName()));
  EXPECT_EQ(backupTextures(1), 0);  // the restore consumed it
  for (int slot = 0; slot < slotCount; ++slot) ASSERT_EQ(r->spriteSlots[slot].imageWidth, 0);
}

// Something already under the name a save would take (a link to a file or to
// nothing, or the backup of another run whose process has the same id in
// another process-id space): the save passes it over for another name, the
// restore reads only what this run saved, and neither reads, follows,
// replaces nor removes what was there.
TEST_F(Backup, NeverTouchesWhatIsAlreadyUnderItsName) {
  makeSprite(5, 4, 4, [](int, int) { return rgba(0xFFFFFF); });
  const std::string target = tempFile("backup-precious");
  const std::string nowhere = tempFile("backup-nowhere");
  std::remove(nowhere.c_str());
  writeFile(target, {'k', 'e', 'e', 'p'});
  const std::string theirs = "another run's backup";
#ifdef _WIN32
  // Links need a privilege there that a test run does not have.
  const std::vector<std::string> plantings = {"file:" + theirs};
#else
  const std::vector<std::string> plantings = {"link:" + target, "link:" + nowhere, "file:" + theirs};
#endif
  for (const std::string& planted : plantings) {
    const std::string taken = textureBackupName();
    const std::string what = planted.substr(5);
    if (planted.rfind("link:", 0) == 0)
      std::filesystem::create_symlink(what, taken);
    else
      writeFile(taken, std::vector<uint8_t>(what.begin(), what.end()));
    EXPECT_EQ(backupTextures(1), 0) << planted;  // this run saved nothing
    ASSERT_EQ(backupTextures(0), 1) << planted;
    const std::string ours = textureBackupName();
    EXPECT_NE(ours, taken);
    EXPECT_EQ(ours.substr(0, ours.rfind('/') + 7), taken.substr(0, taken.rfind('/') + 7));
    EXPECT_EQ(ours.substr(ours.size() - 4), ".bin");
    EXPECT_EQ(backupTextures(1), 1) << planted;
    EXPECT_FALSE(present(ours));
    EXPECT_EQ(r->spriteSlots[5].imageWidth, 4);
    if (planted.rfind("link:", 0) == 0)
      EXPECT_EQ(std::filesystem::read_symlink(taken).string(), what);
    else
      EXPECT_EQ(fileText(taken), theirs);
    std::filesystem::remove(taken);
  }
  EXPECT_EQ(fileText(target), "keep");
  EXPECT_FALSE(present(nowhere));
  std::remove(target.c_str());

#ifndef _WIN32
  // A link put in place of this run's own backup is not read, and the end of
  // the backup removes the link, never its target.
  writeFile(target, {'k', 'e', 'e', 'p'});
  ASSERT_EQ(backupTextures(0), 1);
  const std::string ours = textureBackupName();
  ASSERT_TRUE(std::filesystem::remove(ours));
  std::filesystem::create_symlink(target, ours);
  EXPECT_EQ(backupTextures(1), 0);
  removeTextureBackup();
  EXPECT_FALSE(present(ours));
  EXPECT_EQ(fileText(target), "keep");
  std::remove(target.c_str());
#endif
}

std::vector<uint8_t> record(int32_t slot, int32_t width, int32_t height, int pixelBytes = -1) {
  std::vector<uint8_t> bytes(backupHeaderSize);
  encodeBackupHeader(bytes.data(), slot, width, height);
  const size_t count = pixelBytes >= 0 ? size_t(pixelBytes) : size_t(width) * height * 4;
  for (size_t i = 0; i < count; ++i) bytes.push_back(uint8_t(0x40 + i));
  return bytes;
}

std::vector<uint8_t> join(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// Puts bytes in place of the contents of a backup this run has just saved.
void plantBackup(const std::vector<uint8_t>& bytes) {
  ASSERT_EQ(backupTextures(0), 1);
  writeFile(textureBackupName(), bytes);
}

// Damaged backups: the records before the damage are restored, nothing after
// it; a slot number outside the table is passed over. Slot 7 holds a 1 x 1
// image and slot 9 a 2 x 2 one before each restore; slot 9 is never named.
TEST_F(Backup, DamagedFilesRestoreWhatComesBeforeTheDamage) {
  struct Size {
    int width, height;
  };
  struct Case {
    const char* what;
    std::vector<uint8_t> file;
    Size five, six, seven;  // the slots' image sizes after the restore
    bool damaged;
  };
  const std::vector<uint8_t> header6 = record(6, 1, 1, 0);
  const Case cases[] = {
      {"empty file", {}, {0, 0}, {0, 0}, {1, 1}, false},
      {"sound", join({record(5, 2, 2), record(6, 3, 1)}), {2, 2}, {3, 1}, {1, 1}, false},
      {"truncated header", join({record(5, 2, 2), {6, 0, 0, 0, 3}}), {2, 2}, {0, 0}, {1, 1}, true},
      {"11-byte file", {header6.begin(), header6.end() - 1}, {0, 0}, {0, 0}, {1, 1}, true},
      {"truncated pixels", join({record(5, 2, 2), record(6, 2, 2, 12)}), {2, 2}, {2, 2}, {1, 1}, false},
      {"pixels mostly missing", join({record(5, 2, 2), record(6, 4, 4, 8)}), {2, 2}, {0, 0}, {1, 1}, true},
      {"negative width", join({record(6, -1, 2, 0), record(5, 2, 2)}), {0, 0}, {0, 0}, {1, 1}, true},
      {"negative height", join({record(5, 2, 2), record(6, 2, INT_MIN, 0), record(7, 1, 2)}), {2, 2},
       {0, 0}, {1, 1}, true},
      {"wider than a texture", join({record(6, 16385, 1, 64), record(5, 2, 2)}), {0, 0}, {0, 0}, {1, 1},
       true},
      {"huge both ways", record(6, INT_MAX, INT_MAX, 64), {0, 0}, {0, 0}, {1, 1}, true},
      {"slots outside the table",
       join({record(-1, 2, 2), record(slotCount, 1, 1), record(INT_MIN, 1, 1), record(6, 1, 2)}),
       {0, 0}, {1, 2}, {1, 1}, false},
      {"zero sizes empty their slot", join({record(7, 0, 0), record(5, 0, 3)}), {0, 0}, {0, 0}, {0, 0},
       false},
  };
  for (const Case& c : cases) {
    for (int slot : {5, 6}) freeSlot(*r, slot);
    makeSprite(7, 1, 1, [](int, int) { return rgba(0x123456); });
    makeSprite(9, 2, 2, [](int x, int y) { return rgba(0x0A0B0C * (x + 2 * y + 1)); });
    const SlotCopy nine = copyOf(*r, 9);
    plantBackup(c.file);
    const std::string name = textureBackupName();
    const size_t logBefore = fileText(logPath()).size();

    EXPECT_EQ(backupTextures(1), 1) << c.what;
    EXPECT_FALSE(present(name)) << c.what;
    const std::string log = fileText(logPath()).substr(logBefore);
    EXPECT_EQ(log.find("damaged") != std::string::npos, c.damaged) << c.what << "\n" << log;
    expectSame(nine, copyOf(*r, 9), 9);
    const Size expected[] = {c.five, c.six, c.seven};
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(r->spriteSlots[5 + i].imageWidth, expected[i].width) << c.what << ", slot " << 5 + i;
      EXPECT_EQ(r->spriteSlots[5 + i].imageHeight, expected[i].height) << c.what << ", slot " << 5 + i;
    }
  }
  // The pixels arrive top row first, a short record's missing bytes zero.
  plantBackup(record(6, 2, 2, 12));
  ASSERT_EQ(backupTextures(1), 1);
  std::vector<int32_t> pixels;
  ASSERT_EQ(spriteToMem(pixels, 6), 1);  // bottom row first again
  EXPECT_EQ(uint32_t(pixels[0]), 0x43424140u);
  EXPECT_EQ(uint32_t(pixels[2]), 0x4B4A4948u);
  EXPECT_EQ(pixels[3], 0);
}

// A save that cannot be written whole (here: the file size limit) answers 0
// and keeps no file behind, and the slots stay loaded.
// A font slot that a restore leaves empty measures as an empty font does,
// whatever glyphs its font had.
TEST_F(Backup, AFontSlotARestoreEmptiesHasNoGlyphs) {
  buildBuiltinFont(*r, 3);
  setFont(3, 1);
  ASSERT_GT(textWidth("Hello", 1), 0);
  plantBackup(record(fontSlot(3), 0, 0));
  ASSERT_EQ(backupTextures(1), 1);
  EXPECT_EQ(r->spriteSlots[fontSlot(3)].imageWidth, 0);
  for (int proportional : {0, 1}) EXPECT_EQ(textWidth("Hello", proportional), 0) << proportional;
  // Filled again as a sprite, the slot does not bring the old glyphs back.
  makeSprite(fontSlot(3), 128, 64, [](int, int) { return rgba(0xFFFFFF); });
  EXPECT_EQ(textWidth("Hello", 1), 0);
  setFont(0, 1);
}

TEST_F(Backup, SaveThatCannotBeWrittenKeepsNoFile) {
  makeSprite(3, 8, 8, [](int x, int y) { return rgba(uint32_t(x + y)); });
  makeSprite(4, 8, 8, [](int x, int y) { return rgba(uint32_t(x * y)); });
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no limit on a file's size to set (setrlimit)";
#else
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 400;  // the first record fits, the second does not
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const int saved = backupTextures(0);
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(saved, 0);
  EXPECT_FALSE(present(textureBackupName()));
  EXPECT_EQ(r->spriteSlots[3].imageWidth, 8);
  EXPECT_EQ(r->spriteSlots[4].imageWidth, 8);
#endif
}

}  // namespace
}  // namespace mvn
