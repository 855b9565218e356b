#include "runtime/files/rt_file.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "runtime/files/memory_name.h"
#include "runtime/values/errors.h"
#include "tests/files/scratch_dir.h"

namespace mvn {
namespace {

using RtFileTest = ScratchDir;

TEST_F(RtFileTest, EitherSeparatorOpensTheSameDiskFile) {
  ASSERT_EQ(mkdir(path("a").c_str(), 0777), 0);
  ASSERT_EQ(mkdir(path("a/b").c_str(), 0777), 0);
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
  const int fd = ::open(path("big.bin").c_str(), O_CREAT | O_WRONLY, 0666);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(ftruncate(fd, big), 0);
  ASSERT_EQ(pwrite(fd, "end", 3, big - 3), 3);
  ::close(fd);
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
  EXPECT_EQ(readBytes("locked.bin"), "data");  // the failed create kept it
  first.close();
  EXPECT_TRUE(second.openRead(name.c_str()));
}

TEST_F(RtFileTest, OpenWriteReplacesFilesAndEmptyDirectories) {
  writeBytes("old.txt", "old contents");
  ASSERT_EQ(mkdir(path("was_dir").c_str(), 0777), 0);
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

TEST_F(RtFileTest, OpenWriteReplacesTheNameNeverWritingThroughIt) {
  writeBytes("original.txt", "keep");
  writeBytes("target.txt", "keep");
  ASSERT_EQ(link(path("original.txt").c_str(), path("hard").c_str()), 0);
  ASSERT_EQ(symlink(path("target.txt").c_str(), path("soft").c_str()), 0);
  ASSERT_EQ(symlink(path("nowhere.txt").c_str(), path("dangling").c_str()), 0);
  for (const char* name : {"hard", "soft", "dangling"}) {
    SCOPED_TRACE(name);
    RtFile f;
    ASSERT_TRUE(f.openWrite(path(name).c_str()));
    EXPECT_TRUE(f.write("new", 3));
    f.close();
    struct stat st;
    ASSERT_EQ(lstat(path(name).c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_nlink, 1u);
    EXPECT_EQ(readBytes(name), "new");
  }
  EXPECT_EQ(readBytes("original.txt"), "keep");
  EXPECT_EQ(readBytes("target.txt"), "keep");
  struct stat st;
  EXPECT_NE(lstat(path("nowhere.txt").c_str(), &st), 0);  // a dangling link's target is not made
}

// A device, a FIFO or a socket under the name is written through, or the
// open fails; it is never replaced by a regular file, and the open of a FIFO
// nobody reads never waits for a reader.
TEST_F(RtFileTest, OpenWriteKeepsDevicesFifosAndSockets) {
#ifdef __EMSCRIPTEN__
  GTEST_SKIP() << "a browser's file system has no devices, FIFOs or sockets";
#endif
  int reader = -1;
  int listener = -1;
  const struct Case {
    const char* name;
    mode_t type;
    bool opens;
  } cases[] = {
      {"fifo_read", S_IFIFO, true},
      {"fifo_unread", S_IFIFO, false},
      {"socket", S_IFSOCK, false},
      {"null_device", S_IFCHR, true},
  };
  ASSERT_EQ(mkfifo(path("fifo_read").c_str(), 0600), 0);
  reader = ::open(path("fifo_read").c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  ASSERT_EQ(mkfifo(path("fifo_unread").c_str(), 0600), 0);
  listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = path("socket");
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  std::strcpy(address.sun_path, socketPath.c_str());
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  // The system's null device, made here (it takes the right to make devices).
  const bool haveDevice = mknod(path("null_device").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  for (const Case& c : cases) {
    if (c.type == S_IFCHR && !haveDevice) continue;
    SCOPED_TRACE(c.name);
    RtFile f;
    EXPECT_EQ(f.openWrite(path(c.name).c_str()), c.opens);
    if (c.opens) {
      EXPECT_TRUE(f.write("abc", 3));
    }
    f.close();
    struct stat st;
    ASSERT_EQ(lstat(path(c.name).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & S_IFMT, c.type);
  }
  char got[8] = {};
  EXPECT_EQ(::read(reader, got, sizeof got), 3);
  EXPECT_STREQ(got, "abc");
  ::close(reader);
  ::close(listener);
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
  ASSERT_EQ(mkdir(path("d").c_str(), 0777), 0);
  EXPECT_TRUE(fileExists(path("f.txt").c_str()));
  EXPECT_FALSE(fileExists(path("d").c_str()));
  EXPECT_FALSE(fileExists(path("missing").c_str()));
  EXPECT_FALSE(fileExists(""));
  EXPECT_FALSE(fileExists(nullptr));
  EXPECT_FALSE(fileExists("MEM://upper case is a plain name"));
}

TEST_F(RtFileTest, RemovePathRemovesFilesAndEmptyDirectories) {
  writeBytes("f.txt", "x");
  ASSERT_EQ(mkdir(path("empty").c_str(), 0777), 0);
  ASSERT_EQ(mkdir(path("full").c_str(), 0777), 0);
  writeBytes("full/keep.txt", "x");
  ASSERT_EQ(mkdir(path("target").c_str(), 0777), 0);
  ASSERT_EQ(symlink(path("target").c_str(), path("link").c_str()), 0);
  removePath(path("f.txt").c_str());
  removePath((dir_ + "\\empty").c_str());
  removePath(path("full").c_str());
  removePath(path("link").c_str());
  removePath(path("missing").c_str());
  struct stat st;
  EXPECT_NE(lstat(path("f.txt").c_str(), &st), 0);
  EXPECT_NE(lstat(path("empty").c_str(), &st), 0);
  EXPECT_EQ(lstat(path("full/keep.txt").c_str(), &st), 0);
  EXPECT_NE(lstat(path("link").c_str(), &st), 0);
  EXPECT_EQ(lstat(path("target").c_str(), &st), 0);  // the link's target stays
}

TEST_F(RtFileTest, RemovingTheCurrentDirectoryMovesToItsParent) {
  ASSERT_EQ(mkdir(path("here").c_str(), 0777), 0);
  ASSERT_EQ(chdir(path("here").c_str()), 0);
  removePath(path("here").c_str());
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  char expected[4096];
  ASSERT_NE(realpath(dir_.c_str(), expected), nullptr);
  EXPECT_STREQ(cwd, expected);
  struct stat st;
  EXPECT_NE(stat(path("here").c_str(), &st), 0);
}

TEST_F(RtFileTest, TheCurrentDirectoryUnderAnotherSpellingStays) {
  ASSERT_EQ(mkdir(path("here").c_str(), 0777), 0);
  ASSERT_EQ(chdir(path("here").c_str()), 0);
  char before[4096];
  ASSERT_NE(getcwd(before, sizeof before), nullptr);
  for (const char* spelling : {".", "./", "../here", "..\\here"}) {
    SCOPED_TRACE(spelling);
    removePath(spelling);
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_STREQ(cwd, before);
    struct stat st;
    EXPECT_EQ(stat(path("here").c_str(), &st), 0);
  }
}

TEST_F(RtFileTest, SetCurrentDirReportsFailureWithCode3) {
  ASSERT_EQ(mkdir(path("Media").c_str(), 0777), 0);
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
