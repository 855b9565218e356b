#include "runtime/files/shoebox.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <csignal>
#include <filesystem>

#include "runtime/files/memory_name.h"
#include "tests/files/shoebox_fixture.h"

namespace mvn {
namespace {

using testarchive::buildArchive;
using testarchive::lzoBlock;
using testarchive::Member;
using testarchive::Mode;

std::string pictureBytes() {
  std::string bytes;
  for (int i = 0; i < 5000; ++i) bytes.push_back(static_cast<char>(i * 7 % 251));
  return bytes;
}

TEST_F(ShoeboxTest, DeliversMembersInMemoryByBaseNameIgnoringCase) {
  const std::string picture = pictureBytes();
  useArchive(buildArchive({{"readme.txt", lzoBlock("first")}, {"logo.png", lzoBlock(picture)}},
                          Mode::Absolute));
  for (const char* request : {"logo.png", "Sub/Dir/LOGO.PNG", "x\\y\\Logo.Png", "/abs/logo.png"}) {
    SCOPED_TRACE(request);
    std::string name = request;
    ASSERT_TRUE(resolveFileName(name));
    ASSERT_TRUE(isMemoryName(name.c_str()));
    EXPECT_EQ(name, makeMemoryName(memorySlot->lastBlock, static_cast<uint32_t>(picture.size())));
    EXPECT_EQ(contentsOf(name), picture);
  }
  EXPECT_TRUE(temporaryFiles().empty());
}

TEST_F(ShoeboxTest, OnlyAWholeBaseNameMatches) {
  useArchive(buildArchive({{"logo.png.bak", lzoBlock("backup")},
                           {"gfx/logo.png", lzoBlock("nested")},
                           {"ogo.png", lzoBlock("suffix")},
                           {"icon.png", lzoBlock("first icon")},
                           {"ICON.PNG", lzoBlock("second icon")}},
                          Mode::Absolute));
  struct Case {
    const char* request;
    bool found;
    const char* contents;
  };
  const Case cases[] = {
      {"logo.png", false, ""},       // neither the longer nor the nested member
      {"gfx/logo.png", false, ""},   // the directory part plays no role
      {"png", false, ""},
      {"logo.png.bak", true, "backup"},
      {"ogo.png", true, "suffix"},
      {"icon.png", true, "first icon"},  // first of two in directory order
      {"Icon.PNG", true, "first icon"},
      {"icon.png/", false, ""},      // a trailing separator never matches
      {"icon.png\\", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.request);
    std::string out;
    EXPECT_EQ(shoeboxLookup(memorySlot, c.request, out, true), c.found);
    if (c.found) {
      EXPECT_EQ(contentsOf(out), c.contents);
    } else {
      EXPECT_EQ(out, "");
    }
    EXPECT_EQ(memorySlot->enabled, 1);
  }
}

TEST_F(ShoeboxTest, FilesOnDiskAndMemoryNamesWin) {
  useArchive(buildArchive({{"logo.png", lzoBlock("archived")}, {"Media", lzoBlock("dir")}},
                          Mode::Absolute));
  writeBytes("logo.png", "loose");
  ASSERT_TRUE(makeDir("Media"));
  std::string name = "logo.png";
  ASSERT_TRUE(resolveFileName(name));
  EXPECT_EQ(name, "logo.png");
  EXPECT_EQ(memorySlot->lastBlock, nullptr);  // nothing unpacked
  name = ".\\logo.png";
  ASSERT_TRUE(resolveFileName(name));
  EXPECT_EQ(name, ".\\logo.png");
  name = "Media";  // a directory is not a file: the member is delivered
  ASSERT_TRUE(resolveFileName(name));
  EXPECT_EQ(contentsOf(name), "dir");
  name = "mem://anything at all";
  ASSERT_TRUE(resolveFileName(name));
  EXPECT_EQ(name, "mem://anything at all");
}

TEST_F(ShoeboxTest, EachLookUpReleasesThePreviousBlock) {
  useArchive(buildArchive({{"a.txt", lzoBlock("aaa")}}, Mode::Absolute));
  writeBytes("loose.txt", "x");
  for (const char* next : {"a.txt", "loose.txt", "missing.txt"}) {
    SCOPED_TRACE(next);
    std::string first = "a.txt";
    ASSERT_TRUE(resolveFileName(first));
    ASSERT_EQ(contentsOf(first), "aaa");
    std::string second = next;
    resolveFileName(second);
    EXPECT_EQ(contentsOf(first), "<cannot open>");  // the old block is gone
  }
  // An empty name releases nothing through resolveFileName...
  std::string kept = "a.txt";
  ASSERT_TRUE(resolveFileName(kept));
  std::string empty;
  EXPECT_FALSE(resolveFileName(empty));
  EXPECT_EQ(contentsOf(kept), "aaa");
  // ...but a direct look-up always releases first.
  std::string out = "untouched";
  EXPECT_FALSE(shoeboxLookup(memorySlot, "", out, true));
  EXPECT_EQ(out, "");
  EXPECT_EQ(memorySlot->lastBlock, nullptr);
  EXPECT_EQ(contentsOf(kept), "<cannot open>");
}

TEST_F(ShoeboxTest, AppendedArchivesCountOffsetsFromTheEnd) {
  std::string binary(4096, '\0');
  for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 31);
  useArchive(buildArchive({{"one.bin", lzoBlock("first member")}, {"two.bin", lzoBlock("second")}},
                          Mode::FromEnd, binary),
             "game.exe");
  std::string name = "two.bin";
  ASSERT_TRUE(resolveFileName(name));
  EXPECT_EQ(contentsOf(name), "second");
  // The same bytes on their own are an archive too.
  useArchive(buildArchive({{"one.bin", lzoBlock("first member")}}, Mode::FromEnd));
  name = "one.bin";
  ASSERT_TRUE(resolveFileName(name));
  EXPECT_EQ(contentsOf(name), "first member");
}

TEST_F(ShoeboxTest, StartsOnTheExecutableWhichHasNoArchive) {
#ifdef _WIN32
  wchar_t exe[32768];
  ASSERT_GT(GetModuleFileNameW(nullptr, exe, 32768), 0u);
  EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::u8path(memorySlot->archiveName), exe))
      << memorySlot->archiveName;
#else
  char exe[4096];
  const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  ASSERT_GT(n, 0);
  EXPECT_EQ(memorySlot->archiveName, std::string(exe, static_cast<size_t>(n)));
#endif
  EXPECT_EQ(fileSlot->archiveName, memorySlot->archiveName);
  EXPECT_NE(readBytes("tmp/ErrorLog.txt").find("shoeboxing...\n"), std::string::npos);
  std::string name = "nothing.png";
  EXPECT_FALSE(resolveFileName(name));
  EXPECT_EQ(name, "nothing.png");
  EXPECT_EQ(memorySlot->enabled, 0);  // no "sbX" at its end
  EXPECT_EQ(fileSlot->enabled, 1);
}

TEST_F(ShoeboxTest, ABadMagicSwitchesTheSlotOffUntilSetArchive) {
  std::string good = buildArchive({{"a.txt", lzoBlock("aaa")}}, Mode::Absolute);
  std::string bad = good;
  bad[bad.size() - 5] = 'x';  // "sbx"
  useArchive(bad);
  std::string out;
  EXPECT_FALSE(shoeboxLookup(memorySlot, "a.txt", out, true));
  EXPECT_EQ(out, "a.txt");
  EXPECT_EQ(memorySlot->enabled, 0);
  writeBytes("Media.sbx", good);  // repaired, but the slot stays off
  EXPECT_FALSE(shoeboxLookup(memorySlot, "a.txt", out, true));
  writeBytes("a.txt", "loose");   // files on disk are still found
  EXPECT_TRUE(shoeboxLookup(memorySlot, "a.txt", out, true));
  removePath("a.txt");
  setArchive("Media.sbx", "Media.sbx");
  EXPECT_TRUE(shoeboxLookup(memorySlot, "a.txt", out, true));
  EXPECT_EQ(contentsOf(out), "aaa");
}

// Every failure of a look-up: its result, what outName holds and whether the
// slot is switched off afterwards.
TEST_F(ShoeboxTest, FailureTable) {
  const std::string good = buildArchive({{"a.txt", lzoBlock("aaa")}, {"z.txt", lzoBlock("zz")}},
                                        Mode::Absolute);
  std::string badLzo = lzoBlock("some contents that compress");
  badLzo[5] = '\x7f';
  badLzo.back() = '\x05';
  std::string truncatedEntry = good.substr(0, 12);  // inside the first name
  truncatedEntry += "sbX";
  testarchive::putLe32(&truncatedEntry, 0);
  struct Row {
    const char* situation;
    std::string archiveBytes;  // written as Media.sbx unless empty
    const char* archiveName;
    const char* request;
    bool switchedOffBefore;
    bool result;
    const char* outName;  // "=" stands for the request itself
    bool offAfter;
  };
  const Row rows[] = {
      {"empty name", good, "Media.sbx", "", false, false, "", false},
      {"slot switched off", good, "Media.sbx", "a.txt", true, false, "=", true},
      {"no archive named", "", "", "a.txt", false, false, "=", true},
      {"archive cannot be opened", "", "Missing.sbx", "a.txt", false, false, "=", true},
      {"trailer cannot be read", "sbX", "Media.sbx", "a.txt", false, false, "", false},
      {"magic is not sbX", std::string(64, 'q'), "Media.sbx", "a.txt", false, false, "=", true},
      {"directory outside the file", buildArchive({}, Mode::Absolute, "", 5000), "Media.sbx",
       "a.txt", false, false, "", false},
      {"end of directory, no match", good, "Media.sbx", "b.txt", false, false, "", false},
      {"unreadable entry", truncatedEntry, "Media.sbx", "b.txt", false, false, "", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.situation);
    removePath("Media.sbx");
    if (!row.archiveBytes.empty()) writeBytes("Media.sbx", row.archiveBytes);
    setArchive(row.archiveName, row.archiveName);
    if (row.switchedOffBefore) memorySlot->enabled = 0;
    std::string out = "garbage";
    EXPECT_EQ(shoeboxLookup(memorySlot, row.request, out, true), row.result);
    EXPECT_EQ(out, std::string(row.outName) == "=" ? row.request : row.outName);
    EXPECT_EQ(memorySlot->enabled, row.offAfter ? 0 : 1);
    EXPECT_EQ(memorySlot->lastBlock, nullptr);
  }

  // Decompression fails: delivered, with length 0.
  useArchive(buildArchive({{"bad.png", badLzo}}, Mode::Absolute));
  std::string name = "bad.png";
  ASSERT_TRUE(resolveFileName(name));
  EXPECT_EQ(name, makeMemoryName(memorySlot->lastBlock, 0));
  EXPECT_EQ(contentsOf(name), "");
  EXPECT_EQ(memorySlot->enabled, 1);

  // The temporary file cannot be created.
  useArchive(good);
  setenv(temporaryVariable(), path("no/such/dir").c_str(), 1);
  std::string out;
  EXPECT_FALSE(shoeboxLookup(fileSlot, "a.txt", out, false));
  EXPECT_EQ(out, "a.txt");
  EXPECT_EQ(fileSlot->enabled, 1);
  EXPECT_EQ(fileSlot->lastTempPath, "");
}

// Archives whose fields point outside their bytes answer not found; members
// that cannot be unpacked arrive empty. Nothing reads outside the archive.
TEST_F(ShoeboxTest, DamagedArchivesStayInsideTheirBytes) {
  const std::string block = lzoBlock("contents of the member");
  std::string hugeClaim = block;
  hugeClaim.replace(0, 4, "\xff\xff\xff\x3f", 4);  // claims 1 GiB from a few bytes
  std::string negativeClaim = block;
  negativeClaim.replace(0, 4, "\xfe\xff\xff\xff", 4);
  struct Case {
    const char* what;
    Member member;
    Mode mode;
    bool found;
  };
  const Case cases[] = {
      {"stored size below 4", {"m", block, {}, 3}, Mode::Absolute, false},
      {"stored size 0", {"m", block, {}, 0}, Mode::Absolute, false},
      {"negative stored size", {"m", block, {}, -8}, Mode::Absolute, false},
      {"offset past the end", {"m", block, 100000, {}}, Mode::Absolute, false},
      {"size past the end", {"m", block, {}, 100000}, Mode::Absolute, false},
      {"offset before the start", {"m", block, -100000, {}}, Mode::FromEnd, false},
      {"negative offset, absolute mode", {"m", block, -5, {}}, Mode::Absolute, false},
      {"positive offset, from-end mode", {"m", block, 5, {}}, Mode::FromEnd, false},
      {"offset onto the directory", {"m", block, 0, {}}, Mode::Absolute, true},
      {"huge unpacked size", {"m", hugeClaim, {}, {}}, Mode::Absolute, true},
      {"negative unpacked size", {"m", negativeClaim, {}, {}}, Mode::Absolute, true},
      {"block is only its header", {"m", block.substr(0, 4), {}, {}}, Mode::Absolute, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    useArchive(buildArchive({c.member}, c.mode));
    std::string name = "m";
    EXPECT_EQ(resolveFileName(name), c.found);
    if (c.found) {
      EXPECT_EQ(contentsOf(name), "");
    }
  }
  // Shorter than a trailer, in memory and on disk.
  for (const char* bytes : {"", "sb", "sbX\1\0\0"}) {
    useArchive(bytes);
    std::string name = "m";
    EXPECT_FALSE(resolveFileName(name));
  }
}

TEST_F(ShoeboxTest, ArchivesHeldInMemory) {
  const std::string bytes = buildArchive({{"a.txt", lzoBlock("in memory")}}, Mode::FromEnd);
  registerMemoryBlock(bytes.data(), static_cast<uint32_t>(bytes.size()));
  const std::string archive = makeMemoryName(bytes.data(), static_cast<uint32_t>(bytes.size()));
  setArchive(archive.c_str(), archive.c_str());
  std::string name = "a.txt";
  ASSERT_TRUE(resolveFileName(name));
  EXPECT_EQ(contentsOf(name), "in memory");
  // A directory that runs past the end of the block.
  const std::string cut = bytes.substr(bytes.size() - 12);
  registerMemoryBlock(cut.data(), static_cast<uint32_t>(cut.size()));
  const std::string cutName = makeMemoryName(cut.data(), static_cast<uint32_t>(cut.size()));
  setArchive(cutName.c_str(), cutName.c_str());
  name = "a.txt";
  EXPECT_FALSE(resolveFileName(name));
  unregisterMemoryBlock(cut.data());
  unregisterMemoryBlock(bytes.data());
  // A name that designates no live block cannot be opened: the slot goes off.
  setArchive(archive.c_str(), archive.c_str());
  name = "a.txt";
  EXPECT_FALSE(resolveFileName(name));
  EXPECT_EQ(memorySlot->enabled, 0);
}

TEST_F(ShoeboxTest, TemporaryFilesOnePerSlot) {
  useArchive(buildArchive({{"intro.avi", lzoBlock("movie")}, {"b.txt", lzoBlock("bee")}},
                          Mode::Absolute));
  std::string out;
  ASSERT_TRUE(shoeboxLookup(fileSlot, "Movies/intro.avi", out, false));
  // "sbx", 'A' + low byte of the data offset mod 26, the same of the stored size.
  const int64_t offset = 1 + (1 + 9 + 8) + (1 + 5 + 8);
  const int64_t stored = static_cast<int64_t>(lzoBlock("movie").size());
  const std::string expected = path("tmp/") + "sbx" + static_cast<char>('A' + offset % 26) +
                               static_cast<char>('A' + stored % 26) + "intro.avi";
  EXPECT_EQ(out, expected);
  EXPECT_EQ(fileSlot->lastTempPath, expected);
  EXPECT_EQ(contentsOf(out), "movie");
  EXPECT_EQ(fileSlot->lastBlock, nullptr);
  ASSERT_TRUE(shoeboxLookup(fileSlot, "b.txt", out, false));
  EXPECT_EQ(temporaryFiles().size(), 1u);  // intro.avi's file was deleted
  EXPECT_EQ(contentsOf(out), "bee");
  EXPECT_FALSE(shoeboxLookup(fileSlot, "missing", out, false));
  EXPECT_TRUE(temporaryFiles().empty());
  ASSERT_TRUE(shoeboxLookup(fileSlot, "b.txt", out, false));
  setArchive("Media.sbx", "Media.sbx");
  EXPECT_TRUE(temporaryFiles().empty());
  ASSERT_TRUE(shoeboxLookup(fileSlot, "b.txt", out, false));
  destroyShoeboxSlots();
  EXPECT_EQ(fileSlot, nullptr);
  EXPECT_TRUE(temporaryFiles().empty());
}

TEST_F(ShoeboxTest, ATemporaryFileThatCannotBeWrittenIsNotDelivered) {
  useArchive(buildArchive({{"big.bin", lzoBlock(std::string(1000, 'b'))}}, Mode::Absolute));
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no limit on a file's size to set (setrlimit)";
#else
  // Files may grow to 100 bytes only: the member's write fails part way.
  rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit limited = saved;
  limited.rlim_cur = 100;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  std::string out;
  const bool found = shoeboxLookup(fileSlot, "big.bin", out, false);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previousHandler);
  EXPECT_FALSE(found);
  EXPECT_EQ(out, "big.bin");
  EXPECT_EQ(fileSlot->lastTempPath, "");
  EXPECT_TRUE(temporaryFiles().empty());  // no partial member left behind
#endif
}

TEST(ShoeboxNoSlots, DiskAndMemoryNamesStillResolve) {
  ASSERT_EQ(memorySlot, nullptr);
  std::string name = "mem://x";
  EXPECT_TRUE(resolveFileName(name));
  name = "/definitely/not/here.png";
  EXPECT_FALSE(resolveFileName(name));
  setArchive("a", "b");  // nothing to name
}

}  // namespace
}  // namespace mvn
