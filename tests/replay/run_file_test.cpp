// The recording file: what is written reads back the same, and every kind of
// damage is refused with its own reason.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "runtime/platform/recording/run_file.h"

namespace mvn::platform::runfile {
namespace {

std::string scratch(const std::string& name) {
  return std::string(MORVANE_BINARY_DIR) + "/tmp/run_file_" + name;
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
