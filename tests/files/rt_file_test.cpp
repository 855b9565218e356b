#include "runtime/files/rt_file.h"

#include <cstring>
#include <filesystem>
#include <fstream>

#include "runtime/files/memory_name.h"
#include "runtime/values/errors.h"
#include "tests/files/scratch_dir.h"

namespace mvn {
namespace {

namespace fs = std::filesystem;

using RtFileTest = ScratchDir;

TEST_F(RtFileTest, EitherSeparatorOpensTheSameDiskFile) {
  ASSERT_TRUE(makeDir("a"));
  ASSERT_TRUE(makeDir("a/b"));
  writeBytes("a/b/c.bin", "hello");
  for (const std::string& name : {dir_ + "/a/b/c.bin", dir_ + "\\a\\b\\c.bin", dir_ + "/a\\b/c.bin"}) {
    SCOPED_TRACE(name);
    RtFile f;
    ASSERT_TRUE(f.openRead(name.c_str()));
    EXPECT_EQ(f.getSize(), 5);
    char buf[5];
    EXPECT_TRUE(f.read(buf, 5));
    EXPECT_EQ(std::string(buf, 5), "hello");
    EXPECT_TRUE(fileExists(name.c_str()));
  }
}

TEST_F(RtFileTest, DiskReadsMustDeliverEveryByte) {
  writeBytes("ten.bin", "0123456789");
  RtFile f;
  ASSERT_TRUE(f.openRead(path("ten.bin").c_str()));
  char buf[16] = {};
  f.seek(6);
  EXPECT_TRUE(f.read(buf, 4));
  EXPECT_EQ(std::string(buf, 4), "6789");
  EXPECT_EQ(f.position, 10);
  f.seek(8);
  EXPECT_FALSE(f.read(buf, 4));  // only 2 bytes left
  f.seek(-1);
  EXPECT_FALSE(f.read(buf, 1));
  f.close();
  EXPECT_EQ(f.size, 0);
  EXPECT_EQ(f.position, 0);
  EXPECT_FALSE(f.read(buf, 1));
  EXPECT_FALSE(f.write("x", 1));
}

TEST_F(RtFileTest, PositionsAndSizesAre64Bit) {
  const int64_t big = (int64_t{5} << 30) + 3;  // sparse, past 4 GiB
  writeBytes("big.bin", "");
  fs::resize_file(fs::u8path(path("big.bin")), static_cast<uintmax_t>(big));
  {
    std::fstream out(fs::u8path(path("big.bin")), std::ios::binary | std::ios::in | std::ios::out);
    out.seekp(big - 3);
    ASSERT_TRUE(out.write("end", 3));
  }
  RtFile f;
  ASSERT_TRUE(f.openRead(path("big.bin").c_str()));
  EXPECT_EQ(f.getSize(), big);
  f.seek(big - 3);
  char buf[3];
  ASSERT_TRUE(f.read(buf, 3));
  EXPECT_EQ(std::string(buf, 3), "end");
}

TEST_F(RtFileTest, AnOpenFileCannotBeOpenedAgain) {
  writeBytes("locked.bin", "data");
  const std::string name = path("locked.bin");
  RtFile first;
  ASSERT_TRUE(first.openRead(name.c_str()));
  RtFile second;
  EXPECT_FALSE(second.openRead(name.c_str()));
  EXPECT_FALSE(second.openRead((dir_ + "\\locked.bin").c_str()));
  EXPECT_FALSE(second.openWrite(name.c_str()));
  EXPECT_FALSE(second.openAppend(name.c_str()));
  first.close();
  // The failed create kept it (looked at once it is closed: on Windows an
  // exclusive open keeps every other reader out).
  EXPECT_EQ(readBytes("locked.bin"), "data");
  EXPECT_TRUE(second.openRead(name.c_str()));
}

TEST_F(RtFileTest, OpenWriteReplacesFilesAndEmptyDirectories) {
  writeBytes("old.txt", "old contents");
  ASSERT_TRUE(makeDir("was_dir"));
  for (const char* name : {"old.txt", "was_dir", "new.txt"}) {
    SCOPED_TRACE(name);
    RtFile f;
    ASSERT_TRUE(f.openWrite(path(name).c_str()));
    EXPECT_EQ(f.getSize(), 0);
    EXPECT_TRUE(f.write("abc", 3));
    EXPECT_FALSE(f.write("", 0));
    f.close();
    EXPECT_EQ(readBytes(name), "abc");
  }
  RtFile f;
  EXPECT_FALSE(f.openWrite("mem://       4.    1000"));
  EXPECT_FALSE(f.openWrite(""));
  EXPECT_FALSE(f.openRead(""));
  EXPECT_FALSE(f.openRead(path("missing").c_str()));
  EXPECT_FALSE(f.openRead(dir_.c_str()));  // a directory is not a file
}

TEST_F(RtFileTest, OpenAppendWritesAtTheEnd) {
  for (const char* text : {"one\n", "two\n"}) {
    RtFile f;
    ASSERT_TRUE(f.openAppend(path("log.txt").c_str()));
    EXPECT_EQ(f.position, f.getSize());
    EXPECT_TRUE(f.write(text, 4));
  }
  EXPECT_EQ(readBytes("log.txt"), "one\ntwo\n");
}

struct MemoryReadCase {
  int64_t seekTo;
  int64_t count;
  bool ok;
  int64_t copied;
  int64_t positionAfter;
};

TEST(RtFileMemory, ReadsStayInsideTheBlock) {
  unsigned char block[100];
  for (int i = 0; i < 100; ++i) block[i] = static_cast<unsigned char>(i);
  registerMemoryBlock(block, sizeof block);
  const std::string name = makeMemoryName(block, sizeof block);
  const MemoryReadCase cases[] = {
      {0, 100, true, 100, 100},  {95, 10, true, 5, 100}, {100, 1, true, 0, 100},
      {101, 1, false, 0, 101},   {-1, 1, false, 0, -1},  {50, 0, true, 0, 50},
      {10, -1, false, 0, 10},
  };
  for (const MemoryReadCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "seek " << c.seekTo << " count " << c.count);
    RtFile f;
    ASSERT_TRUE(f.openRead(name.c_str()));
    EXPECT_EQ(f.getSize(), 100);
    EXPECT_EQ(f.memoryBase, block);
    f.seek(c.seekTo);
    unsigned char out[128];
    std::memset(out, 0xEE, sizeof out);
    EXPECT_EQ(f.read(out, c.count), c.ok);
    EXPECT_EQ(f.position, c.positionAfter);
    for (int64_t i = 0; i < c.copied; ++i) ASSERT_EQ(out[i], block[c.seekTo + i]);
    EXPECT_EQ(out[c.copied], 0xEE);
    EXPECT_FALSE(f.write("x", 1));  // memory files are read-only
  }
  unregisterMemoryBlock(block);
}

TEST(RtFileMemory, OnlyLiveRegisteredBlocksOpen) {
  static unsigned char block[32] = {7};
  const std::string name = makeMemoryName(block, sizeof block);
  RtFile f;
  EXPECT_FALSE(f.openRead(name.c_str()));  // never registered
  registerMemoryBlock(block, sizeof block);
  EXPECT_FALSE(f.openRead(makeMemoryName(block, 33).c_str()));  // wrong length
  EXPECT_FALSE(f.openRead(makeMemoryName(block + 1, 31).c_str()));
  ASSERT_TRUE(f.openRead(name.c_str()));
  unsigned char byte = 0;
  unregisterMemoryBlock(block);
  EXPECT_FALSE(f.read(&byte, 1));  // released while the stream was open
  f.close();
  EXPECT_FALSE(f.openRead(name.c_str()));  // stale name
  EXPECT_TRUE(fileExists(name.c_str()));   // existence never looks at the block
  EXPECT_TRUE(fileExists("mem://nothing behind this"));
}

TEST_F(RtFileTest, FileExistsOnlyForRegularFiles) {
  writeBytes("f.txt", "x");
  ASSERT_TRUE(makeDir("d"));
  EXPECT_TRUE(fileExists(path("f.txt").c_str()));
  EXPECT_FALSE(fileExists(path("d").c_str()));
  EXPECT_FALSE(fileExists(path("missing").c_str()));
  EXPECT_FALSE(fileExists(""));
  EXPECT_FALSE(fileExists(nullptr));
  EXPECT_FALSE(fileExists("MEM://upper case is a plain name"));
}

TEST_F(RtFileTest, RemovePathRemovesFilesAndEmptyDirectories) {
  writeBytes("f.txt", "x");
  ASSERT_TRUE(makeDir("empty"));
  ASSERT_TRUE(makeDir("full"));
  writeBytes("full/keep.txt", "x");
  removePath(path("f.txt").c_str());
  removePath((dir_ + "\\empty").c_str());
  removePath(path("full").c_str());
  removePath(path("missing").c_str());
  EXPECT_FALSE(exists("f.txt"));
  EXPECT_FALSE(exists("empty"));
  EXPECT_TRUE(exists("full/keep.txt"));
}

TEST_F(RtFileTest, RemovingTheCurrentDirectoryMovesToItsParent) {
  ASSERT_TRUE(makeDir("here"));
  fs::current_path(fs::u8path(path("here")));
  removePath(path("here").c_str());
  EXPECT_TRUE(fs::equivalent(fs::current_path(), fs::u8path(dir_)));
  EXPECT_FALSE(exists("here"));
}

#ifdef _WIN32
// On Windows the current directory is the same whatever the separators and
// the letter case of its name.
TEST_F(RtFileTest, RemovingTheCurrentDirectoryUnderAnySpellingOfItsNameMovesToItsParent) {
  ASSERT_TRUE(makeDir("Here"));
  fs::current_path(fs::u8path(path("Here")));
  std::string spelling = dir_ + "\\hERE";
  for (char& c : spelling) c = c == '/' ? '\\' : c;
  removePath(spelling.c_str());
  EXPECT_TRUE(fs::equivalent(fs::current_path(), fs::u8path(dir_)));
  EXPECT_FALSE(exists("Here"));
}
#endif

TEST_F(RtFileTest, TheCurrentDirectoryUnderAnotherSpellingStays) {
  ASSERT_TRUE(makeDir("here"));
  fs::current_path(fs::u8path(path("here")));
  const fs::path before = fs::current_path();
  for (const char* spelling : {".", "./", "../here", "..\\here"}) {
    SCOPED_TRACE(spelling);
    removePath(spelling);
    EXPECT_EQ(fs::current_path(), before);
    EXPECT_TRUE(exists("here"));
  }
}

// Names are UTF-8 text; on Windows they reach the system as wide names, so
// any name opens, whatever the system's code page.
TEST_F(RtFileTest, NamesAreUtf8) {
  const std::string name = path("na\xc3\xafve \xe2\x98\x83 \xce\xa9.txt");
  RtFile f;
  ASSERT_TRUE(f.openWrite(name.c_str()));
  EXPECT_TRUE(f.write("snow", 4));
  f.close();
  {
    std::ifstream in(fs::u8path(name), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "snow");
  }
  EXPECT_TRUE(fileExists(name.c_str()));
  ASSERT_TRUE(f.openRead(name.c_str()));
  EXPECT_EQ(f.getSize(), 4);
}

TEST_F(RtFileTest, SetCurrentDirReportsFailureWithCode3) {
  ASSERT_TRUE(makeDir("Media"));
  writeBytes("Media/x.txt", "x");
  errorCode = 9;
  EXPECT_EQ(setCurrentDir((dir_ + "\\Media").c_str()), 1);
  EXPECT_EQ(errorCode, 0);
  EXPECT_TRUE(fileExists("x.txt"));
  EXPECT_EQ(setCurrentDir("no such directory"), 0);
  EXPECT_EQ(errorCode, 3);
  EXPECT_TRUE(fileExists("x.txt"));  // unchanged
  EXPECT_EQ(setCurrentDir(""), 0);
  EXPECT_EQ(setCurrentDir(nullptr), 0);
}

}  // namespace
}  // namespace mvn
