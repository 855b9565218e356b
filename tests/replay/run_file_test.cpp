// The recording file: what is written reads back the same, and every kind of
// damage is refused with its own reason.
#include <gtest/gtest.h>
#include <zlib.h>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/platform/recording/run_coding.h"
#include "runtime/platform/recording/run_file.h"
#include "tests/support/allocation_limit.h"

namespace mvn::platform::runfile {
namespace {

std::string scratch(const std::string& name) {
  return std::string(MORVANE_BINARY_DIR) + "/tmp/run_file_" + name;
}

// A scratch folder of its own for a test.
std::string freshScratch(const std::string& name) {
  const std::string folder = scratch(name);
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

Item read(OutsideRead kind, std::vector<int64_t> values) {
  Item item;
  item.kind = ItemKind::Read;
  item.read = kind;
  item.values = std::move(values);
  return item;
}

Item frame(bool hashed, uint64_t hash = 0) {
  Item item;
  item.kind = ItemKind::Frame;
  item.hashed = hashed;
  item.hash = hash;
  return item;
}

// A run with every kind of item, and values that stress the coding: a counter
// near the top of its range stepping back and forth, negative and extreme
// values, an empty text and a text with a zero byte.
Contents sampleRun() {
  Contents run;
  run.header.program = "Quadrivolant";
  run.header.build = "Morvane 0.1.0 linux-x86_64";
  run.header.frameHashInterval = 2;
  Item seed;
  seed.kind = ItemKind::Seed;
  seed.count = 0xFFFFFFFFu;
  run.items.push_back(seed);
  run.items.push_back(read(OutsideRead::Counter, {INT64_MAX - 5}));
  run.items.push_back(read(OutsideRead::Counter, {INT64_MIN + 3}));
  run.items.push_back(read(OutsideRead::CursorPosition, {-20, 480}));
  run.items.push_back(read(OutsideRead::VirtualKeys, {}));
  run.items.push_back(read(OutsideRead::VirtualKeys, {0x1B, 0x25}));
  Item name;
  name.kind = ItemKind::Text;
  name.read = OutsideRead::ControllerName;
  name.text = std::string("pad\0two", 7);
  run.items.push_back(name);
  Item events;
  events.kind = ItemKind::Events;
  events.events.push_back({5, {1, 0, 120, 30, -3, 4, 0}, ""});
  events.events.push_back({4, {1}, "\xC3\xA9t\xC3\xA9"});
  events.events.push_back({1, {}, ""});
  run.items.push_back(events);
  Item quiet;
  quiet.kind = ItemKind::Quiet;
  quiet.count = 7;
  run.items.push_back(quiet);
  run.items.push_back(frame(false));
  run.items.push_back(frame(true, 0xFEDCBA9876543210ull));
  Item end;
  end.kind = ItemKind::End;
  end.cutShort = true;
  end.count = 2;
  run.items.push_back(end);
  return run;
}

void expectSame(const Contents& a, const Contents& b) {
  EXPECT_EQ(a.header.version, b.header.version);
  EXPECT_EQ(a.header.program, b.header.program);
  EXPECT_EQ(a.header.build, b.header.build);
  EXPECT_EQ(a.header.frameHashInterval, b.header.frameHashInterval);
  ASSERT_EQ(a.items.size(), b.items.size());
  for (size_t i = 0; i < a.items.size(); ++i) {
    const Item& x = a.items[i];
    const Item& y = b.items[i];
    EXPECT_EQ(x.kind, y.kind) << i;
    EXPECT_EQ(x.read, y.read) << i;
    EXPECT_EQ(x.values, y.values) << i;
    EXPECT_EQ(x.text, y.text) << i;
    EXPECT_TRUE(x.events == y.events) << i;
    EXPECT_EQ(x.hashed, y.hashed) << i;
    EXPECT_EQ(x.hash, y.hash) << i;
    EXPECT_EQ(x.count, y.count) << i;
    EXPECT_EQ(x.cutShort, y.cutShort) << i;
  }
}

TEST(RunFile, WhatIsEncodedParsesBackTheSame) {
  const Contents run = sampleRun();
  Contents back;
  std::string problem;
  ASSERT_TRUE(parseRun(encodeRun(run), back, problem)) << problem;
  expectSame(run, back);
}

// The writer gathers empty intakes into one Quiet item and ends with the end
// mark; what it writes reads back as the run it was given.
TEST(RunFile, TheWriterWritesWhatTheReaderReads) {
  const std::string path = scratch("writer.mvr");
  Header header;
  header.program = "Wayfarer";
  header.build = "b";
  {
    Writer writer;
    ASSERT_TRUE(writer.open(path, header)) << writer.problem();
    writer.add(read(OutsideRead::Counter, {1000000000}));
    writer.addEvents({});
    writer.addEvents({});
    writer.addEvents({{3, {1, 1, 41, 27, 0, 0}, ""}});
    writer.addEvents({});
    // Enough items that the body is compressed in several pieces.
    for (int i = 0; i < 40000; ++i) writer.add(read(OutsideRead::Counter, {1000000000 + 16666667LL * i}));
    ASSERT_TRUE(writer.flush());
    writer.add(frame(true, 42));
    ASSERT_TRUE(writer.close(false, 1)) << writer.problem();
  }
  Contents back;
  std::string problem;
  ASSERT_TRUE(readRunFile(path, back, problem)) << problem;
  EXPECT_EQ(back.header.program, "Wayfarer");
  ASSERT_EQ(back.items.size(), 40006u);
  EXPECT_EQ(back.items[1].kind, ItemKind::Quiet);
  EXPECT_EQ(back.items[1].count, 2u);
  EXPECT_EQ(back.items[2].kind, ItemKind::Events);
  EXPECT_EQ(back.items[3].kind, ItemKind::Quiet);
  EXPECT_EQ(back.items[3].count, 1u);
  EXPECT_EQ(back.items[40003].values[0], 1000000000 + 16666667LL * 39999);
  EXPECT_EQ(back.items[40004].hash, 42u);
  EXPECT_EQ(back.items.back().kind, ItemKind::End);
  EXPECT_FALSE(back.items.back().cutShort);
  // Clock readings a frame apart take a few bytes each.
  EXPECT_LT(fileBytes(path).size(), 40000u * 5);
}

TEST(RunFile, AFileThatCannotBeMadeIsReported) {
  Writer writer;
  EXPECT_FALSE(writer.open(scratch("no/such/folder/run.mvr"), Header{}));
  EXPECT_TRUE(writer.failed());
  EXPECT_NE(writer.problem().find("No such file"), std::string::npos) << writer.problem();
  writer.add(frame(false));  // does nothing once failed
  EXPECT_FALSE(writer.close(false, 0));
}

TEST(RunFile, DamageIsRefusedWithItsReason) {
  const std::string good = encodeRun(sampleRun());
  Contents other = sampleRun();
  other.header.version = 2;
  Contents endless = sampleRun();
  endless.items.pop_back();
  std::string flipped = good;
  flipped[flipped.size() - 12] ^= 0x5A;
  std::string renamed = good;
  renamed[renamed.find("Quadrivolant")] = 'q';

  struct Case {
    const char* what;
    std::string bytes;
    std::string reason;
  };
  const Case cases[] = {
      {"empty", "", "is not a run recording"},
      {"another format", std::string("\x89PNG\r\n\x1a\n", 8) + good, "is not a run recording"},
      {"cut in the magic", good.substr(0, 4), "is truncated"},
      {"cut in the header", good.substr(0, 14), "is truncated"},
      {"cut in the body", good.substr(0, good.size() - 9), "is truncated"},
      {"cut after the header", good.substr(0, good.find("x86_64") + 11), "is truncated"},
      {"another version", encodeRun(other),
       "is in recording format version 2; this runtime reads version 1"},
      {"a changed header", renamed, "is corrupt (its header does not check)"},
      {"a changed body", flipped, "is corrupt"},
      {"bytes after the end", good + "x", "is corrupt (bytes follow its end)"},
      {"no end mark", encodeRun(endless), "is corrupt (its end mark is missing or misplaced)"},
  };
  for (const Case& c : cases) {
    Contents contents;
    std::string problem;
    EXPECT_FALSE(parseRun(c.bytes, contents, problem)) << c.what;
    EXPECT_EQ(problem.rfind(c.reason, 0), 0u) << c.what << ": " << problem;
  }
  Contents contents;
  std::string problem;
  EXPECT_FALSE(readRunFile(scratch("missing.mvr"), contents, problem));
  EXPECT_EQ(problem, "cannot be opened: No such file or directory");
}

Item quiet(uint64_t count) {
  Item item;
  item.kind = ItemKind::Quiet;
  item.count = count;
  return item;
}

Item intake(std::vector<OutsideEvent> events) {
  Item item;
  item.kind = ItemKind::Events;
  item.events = std::move(events);
  return item;
}

// Items that are well formed but that no run can hold: each would pass for
// a while in a replay and then wrap a counter, read a value the program did
// not ask for, or end where the run does not. They are refused before the
// run begins.
TEST(RunFile, ItemsNoRunCanHoldAreRefused) {
  const std::string damaged = "is corrupt (a damaged item)";
  Item text = read(OutsideRead::Counter, {});
  text.kind = ItemKind::Text;
  text.text = "not a text read";
  const struct Case {
    const char* what;
    Item item;
    std::string reason;
  } cases[] = {
      {"a run of no quiet intakes", quiet(0), damaged},
      {"an intake of no events", intake({}), damaged},
      {"a counter with two values", read(OutsideRead::Counter, {1, 2}), damaged},
      {"a pointer position with one value", read(OutsideRead::CursorPosition, {1}), damaged},
      {"a controller state with nine values", read(OutsideRead::ControllerState, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
       damaged},
      {"300 keys down", read(OutsideRead::VirtualKeys, std::vector<int64_t>(300, 1)), damaged},
      {"a counter read as text", text, damaged},
      {"a controller name read as numbers", read(OutsideRead::ControllerName, {}), damaged},
      {"an event of no known kind", intake({{9, {}, ""}}), damaged},
      {"an event of kind 0", intake({{0, {}, ""}}), damaged},
      {"a key event with two values", intake({{3, {1, 1}, ""}}), damaged},
      {"a quit event with a text", intake({{1, {}, "x"}}), damaged},
  };
  for (const Case& c : cases) {
    Contents run = sampleRun();
    run.items.insert(run.items.begin() + 1, c.item);
    Contents back;
    std::string problem;
    EXPECT_FALSE(parseRun(encodeRun(run), back, problem)) << c.what;
    EXPECT_EQ(problem, c.reason) << c.what;
  }
  // The end mark counts the frames of the run: no more, no fewer.
  for (const uint64_t frames : {uint64_t{0}, uint64_t{3}, uint64_t{1} << 40}) {
    Contents run = sampleRun();
    run.items.back().count = frames;
    Contents back;
    std::string problem;
    EXPECT_FALSE(parseRun(encodeRun(run), back, problem)) << frames;
    EXPECT_EQ(problem, "is corrupt (its end mark counts " + std::to_string(frames) + " frames; the run has 2)");
  }
}

// A recording of n frames with nothing but frame marks: two bytes each,
// which deflate packs up to a thousand to one. Packed as it is made, so that the
// test holds no more of it than the file.
std::string frameMarksRun(uint64_t frames, int level) {
  Header header;
  header.program = "Quadrivolant";
  header.build = "b";
  std::string end("\x07\x00", 2);
  for (uint64_t v = frames;; v >>= 7) {
    end.push_back(static_cast<char>(v < 0x80 ? v : (v & 0x7F) | 0x80));
    if (v < 0x80) break;
  }
  std::string marks;
  for (int i = 0; i < 32768; ++i) marks.append("\x01\x00", 2);
  std::string packed = encodeHeader(header);
  z_stream z{};
  deflateInit(&z, level);
  char chunk[65536];
  const auto pack = [&](const char* in, size_t size, int mode) {
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in));
    z.avail_in = static_cast<uInt>(size);
    do {
      z.next_out = reinterpret_cast<Bytef*>(chunk);
      z.avail_out = sizeof chunk;
      deflate(&z, mode);
      packed.append(chunk, sizeof chunk - z.avail_out);
    } while (z.avail_out == 0);
  };
  for (uint64_t left = frames; left > 0;) {
    const uint64_t n = left < 32768 ? left : 32768;
    pack(marks.data(), 2 * n, Z_NO_FLUSH);
    left -= n;
  }
  pack(end.data(), end.size(), Z_FINISH);
  deflateEnd(&z);
  return packed;
}

// A body of cheap items costs what the file and a window of its body take,
// not what the items would take all together: twenty million frames, a
// twenty-kilobyte file, read with no allocation above 32 MB. A body that
// unpacks past the limit is refused.
TEST(RunFile, AFileOfManyCheapItemsIsReadInBoundedMemory) {
  const uint64_t frames = 20000000;
  const std::string bomb = frameMarksRun(frames, 9);
  ASSERT_LT(bomb.size(), 64u << 10);
  const std::string over = frameMarksRun(kLargestBody / 2 + 1, 1);
  mvn::testing::AllocationLimit limit(32u << 20);
  Reader reader;
  std::string problem;
  ASSERT_TRUE(reader.open(bomb, problem)) << problem;
  ASSERT_TRUE(reader.check(problem)) << problem;
  Item item;
  ASSERT_TRUE(reader.next(item, problem));
  EXPECT_EQ(item.kind, ItemKind::Frame);
  Reader large;
  ASSERT_TRUE(large.open(over, problem)) << problem;
  EXPECT_FALSE(large.check(problem));
  EXPECT_EQ(problem, "is too large to be a run recording");
}

// Only a regular file is read, and only as far as its first bytes when they
// are not a recording's: a FIFO with no writer or a device is refused at once
// instead of holding the start or reading without end, a folder is refused
// with its reason, and a large file of another kind is not read into memory.
TEST(RunFile, OnlyARegularFileIsReadAndOnlyWhenItBeginsAsARecording) {
  const std::string folder = freshScratch("kinds");
  const auto sparse = [&](const std::string& name, uintmax_t size) {
    const std::string path = folder + "/" + name;
    std::ofstream(path, std::ios::binary) << "\x89PNG\r\n";
    std::filesystem::resize_file(path, size);
    return path;
  };
  struct Case {
    std::string path;
    std::string problem;
  };
  std::vector<Case> cases = {
#ifdef _WIN32
      {folder, "cannot be opened: Permission denied"},  // the system's word for a folder
#else
      {folder, "cannot be opened: Is a directory"},
#endif
      {sparse("picture.png", uintmax_t{200} << 20), "is not a run recording"},
      {sparse("huge.mvr", static_cast<uintmax_t>(kLargestFile) + 1), "is too large to be a run recording"},
  };
#ifndef _WIN32  // Windows has no FIFOs, nor devices under a file name
  ASSERT_EQ(mkfifo((folder + "/fifo.mvr").c_str(), 0600), 0);
  cases.push_back({folder + "/fifo.mvr", "cannot be opened: it is not a regular file"});
  cases.push_back({"/dev/zero", "cannot be opened: it is not a regular file"});
#endif
  mvn::testing::AllocationLimit limit(32u << 20);
  for (const Case& c : cases) {
    Contents contents;
    std::string problem;
    EXPECT_FALSE(readRunFile(c.path, contents, problem)) << c.path;
    EXPECT_EQ(problem, c.problem) << c.path;
  }
}

// One file, one writer: a second run recording to the same file is refused
// and the first one's recording stays whole.
TEST(RunFile, ASecondWriterOfTheSameFileIsRefused) {
  const std::string path = freshScratch("shared") + "/run.mvr";
  Header header;
  header.program = "Wayfarer";
  Writer first;
  ASSERT_TRUE(first.open(path, header)) << first.problem();
  first.add(frame(false));
  Writer second;
  EXPECT_FALSE(second.open(path, header));
  EXPECT_EQ(second.problem(), "another run is recording to it");
  ASSERT_TRUE(first.close(false, 1)) << first.problem();
  Contents back;
  std::string problem;
  ASSERT_TRUE(readRunFile(path, back, problem)) << problem;
  EXPECT_EQ(back.items.size(), 2u);
  // Once the first is done, the file may be recorded anew.
  Writer again;
  EXPECT_TRUE(again.open(path, header)) << again.problem();
}

// A recording whose file is deleted or replaced while the run goes on is not
// reported written: the next flush, or the close, says what became of it.
TEST(RunFile, AFileDeletedOrReplacedWhileWrittenIsReported) {
#ifdef _WIN32
  GTEST_SKIP() << "a file open for writing can be neither deleted nor replaced there";
#else
  const std::string folder = freshScratch("vanished");
  const struct Case {
    const char* what;
    void (*act)(const std::string& path);
    bool atFlush;  // else at the close
  } cases[] = {
      {"deleted", [](const std::string& path) { ::unlink(path.c_str()); }, true},
      {"replaced", [](const std::string& path) {
         std::ofstream(path + ".new") << "other";
         std::rename((path + ".new").c_str(), path.c_str());
       }, true},
      {"deleted before the end", [](const std::string& path) { ::unlink(path.c_str()); }, false},
  };
  for (const Case& c : cases) {
    const std::string path = folder + "/" + c.what + ".mvr";
    Writer writer;
    ASSERT_TRUE(writer.open(path, Header{})) << c.what;
    writer.add(frame(false));
    ASSERT_TRUE(writer.flush()) << c.what;
    c.act(path);
    if (c.atFlush) {
      EXPECT_FALSE(writer.flush()) << c.what;
    }
    EXPECT_FALSE(writer.close(false, 1)) << c.what;
    EXPECT_EQ(writer.problem(), "it was deleted or replaced while the run went on") << c.what;
  }
#endif
}

// A FIFO that nobody reads is refused at the open, without waiting for a
// reader; one with a reader takes the recording.
TEST(RunFile, AWriterNeverWaitsOnAFifo) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no FIFOs";
#else
  const std::string folder = freshScratch("fifo");
  const std::string path = folder + "/run.mvr";
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  Writer unread;
  EXPECT_FALSE(unread.open(path, Header{}));
  EXPECT_EQ(unread.problem(), "No such device or address");
  const int reader = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  Writer read;
  EXPECT_TRUE(read.open(path, Header{})) << read.problem();
  EXPECT_TRUE(read.close(false, 0)) << read.problem();
  char magic[6] = {};
  EXPECT_EQ(::read(reader, magic, sizeof magic), 6);
  EXPECT_EQ(std::string(magic, 6), "MVNRUN");
  ::close(reader);
#endif
}

// Any single damaged byte or any cut is refused or read as a whole run: the
// reader never reads past what it was given.
TEST(RunFile, EveryCutAndEveryDamagedByteIsHandled) {
  const std::string good = encodeRun(sampleRun());
  for (size_t cut = 0; cut < good.size(); ++cut) {
    Contents contents;
    std::string problem;
    EXPECT_FALSE(parseRun(good.substr(0, cut), contents, problem)) << cut;
  }
  for (size_t at = 0; at < good.size(); ++at) {
    std::string damaged = good;
    damaged[at] ^= 0x01;
    Contents contents;
    std::string problem;
    if (!parseRun(damaged, contents, problem)) {
      EXPECT_FALSE(problem.empty()) << at;
    }
  }
}

}  // namespace
}  // namespace mvn::platform::runfile
