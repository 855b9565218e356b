// The recording file: a header that names the program, then the items of the
// run (reads, intakes, frame marks, the seed and the end mark), deflated.
// docs/recording-format.md describes every byte.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "runtime/platform/recording.h"

typedef struct z_stream_s z_stream;

namespace mvn::platform::runfile {

constexpr uint16_t kFormatVersion = 1;

struct Header {
  uint16_t version = kFormatVersion;
  std::string program;
  std::string build;
  uint32_t frameHashInterval = 0;  // 0: no frame hashes
};

enum class ItemKind : uint8_t { Frame = 1, Read = 2, Text = 3, Events = 4, Quiet = 5, Seed = 6, End = 7 };

struct Item {
  ItemKind kind = ItemKind::Frame;
  OutsideRead read = OutsideRead::Counter;  // Read, Text
  std::vector<int64_t> values;              // Read
  std::string text;                         // Text
  std::vector<OutsideEvent> events;         // Events
  bool hashed = false;                      // Frame
  uint64_t hash = 0;                        // Frame
  uint64_t count = 0;  // Quiet: intakes that took nothing; Seed: the seed; End: frames presented
  bool cutShort = false;  // End: the run was ended from outside the program
};

struct Contents {
  Header header;
  std::vector<Item> items;
};

// The whole file as bytes, and back. parseRun checks everything: the header,
// its check sum, the compressed body and every item; problem is one line
// ("is truncated", "is corrupt (...)", "is not a run recording", ...), to
// follow the file's name.
std::string encodeRun(const Contents& contents);
bool parseRun(const std::string& bytes, Contents& contents, std::string& problem);
// Reads the file whole and parses it; problem as above, or why it cannot be read.
bool readRunFile(const std::string& path, Contents& contents, std::string& problem);

// Writes a recording as the run goes. Every method after a failed write does
// nothing; problem() then tells what failed.
class Writer {
 public:
  Writer() = default;
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;
  ~Writer();

  // Creates the file and writes the header; false when it cannot.
  bool open(const std::string& path, const Header& header);
  void add(const Item& item);
  // An intake: empty ones are counted and written as one Quiet item.
  void addEvents(const std::vector<OutsideEvent>& events);
  // Hands what is compressed so far to the file.
  bool flush();
  // Writes the end mark, finishes the stream and closes the file.
  bool close(bool cutShort, uint64_t frames);

  bool failed() const { return failed_; }
  const std::string& problem() const { return problem_; }

 private:
  bool deflateOut(int mode);
  void fail(const std::string& what);
  void flushQuiet();

  std::FILE* file_ = nullptr;
  z_stream* stream_ = nullptr;
  std::string pending_;  // encoded items not yet compressed
  std::vector<std::vector<int64_t>> previous_;
  uint64_t quiet_ = 0;
  bool failed_ = false;
  std::string problem_;
};

}  // namespace mvn::platform::runfile
