// RtFile over what POSIX systems have beside regular files and folders:
// hard and symbolic links, FIFOs, sockets and devices.
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "runtime/files/rt_file.h"
#include "tests/files/scratch_dir.h"

namespace mvn {
namespace {

using RtFilePosixTest = ScratchDir;

TEST_F(RtFilePosixTest, OpenWriteReplacesTheNameNeverWritingThroughIt) {
#ifdef __EMSCRIPTEN__
  GTEST_SKIP() << "a browser's file system makes no hard links";
#endif
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
TEST_F(RtFilePosixTest, OpenWriteKeepsDevicesFifosAndSockets) {
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

TEST_F(RtFilePosixTest, RemovePathRemovesALinkNeverItsTarget) {
  ASSERT_TRUE(makeDir("target"));
  ASSERT_EQ(symlink(path("target").c_str(), path("link").c_str()), 0);
  removePath(path("link").c_str());
  EXPECT_FALSE(exists("link"));
  EXPECT_TRUE(exists("target"));
}

}  // namespace
}  // namespace mvn
