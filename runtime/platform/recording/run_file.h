// The recording file: a header that names the program, then the items of the
// run (reads, intakes, frame marks, the seed and the end mark), deflated.
// docs/recording-format.md describes every byte.
#pragma once

#include <cstdint>
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

// The previous values of each kind of read, from which reads are coded.
using Previous = std::vector<std::vector<int64_t>>;

struct Contents {
  Header header;
  std::vector<Item> items;
};

// The most a recording may unpack to; a larger body is refused. A run of
// hours unpacks to a few megabytes.
constexpr uint64_t kLargestBody = uint64_t{256} << 20;
// The largest file taken for a recording (its body can be no smaller).
constexpr uint64_t kLargestFile = kLargestBody;

// Reads a recording item by item, unpacking its body as it goes: what it
// holds in memory is the file's bytes and a window of its body, whatever the
// body unpacks to. Every problem is one line ("is truncated", "is corrupt
// (...)", "is not a run recording", ...), to follow the file's name.
class Reader {
 public:
  Reader() = default;
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;
  ~Reader();

  // Takes the file's bytes and reads the header; false with the problem when
  // they are no recording or the header does not check.
  bool open(std::string bytes, std::string& problem);
  const Header& header() const { return header_; }

  // The next item; false with the problem when the body ends early, does not
  // unpack, holds a damaged item, or when the end mark is missing, is not the
  // last item or counts other frames than the run has. After the end mark
  // (and the check that nothing follows it) every call gives it again.
  bool next(Item& item, std::string& problem);
  // Reads every item to the end mark, keeping none, then starts over.
  bool check(std::string& problem);
  // Back to the first item.
  void rewind();

 private:
  bool fill(std::string& problem);

  std::string packed_;  // the whole file
  size_t bodyAt_ = 0;
  Header header_;
  z_stream* stream_ = nullptr;
  std::string window_;  // unpacked body bytes from an item's start on
  size_t at_ = 0;       // the next item's place in the window
  uint64_t unpacked_ = 0;
  bool bodyEnded_ = false;
  Previous previous_;
  uint64_t frames_ = 0;  // frame marks read so far
  bool ended_ = false;   // the end mark was read
  Item end_;
  bool open_ = false;
  std::string problem_;  // once found, every later call gives it
};

// Reads a recording file into a reader. Only a regular file is read (a FIFO,
// a device or a folder is refused without waiting on it), and its first
// bytes are checked before the rest is read. problem: as above, or
// "cannot be opened: <reason>", "cannot be read: <reason>", "is too large
// to be a run recording".
bool openRunFile(const std::string& path, Reader& reader, std::string& problem);

// The whole file as bytes, and back, for tools and tests: parseRun reads
// with a Reader and keeps every item (refusing a run whose items would take
// more than 64 megabytes to hold); problem as above.
std::string encodeRun(const Contents& contents);
bool parseRun(const std::string& bytes, Contents& contents, std::string& problem);
// Reads the file whole (openRunFile) and parses it; problem as above.
bool readRunFile(const std::string& path, Contents& contents, std::string& problem);

// What tells one file from another: the same for every name of a file and
// for as long as it exists, another for a file put under the name instead.
struct FileIdentity {
  uint64_t device = 0, file = 0;
  bool operator==(const FileIdentity& other) const { return device == other.device && file == other.file; }
};

// Writes a recording as the run goes. Every method after a failed write does
// nothing; problem() then tells what failed. The file is held locked while it
// is written: a second writer of the same file (in this process or another)
// cannot open it. A device or a FIFO is written through; a FIFO that nobody
// reads cannot be opened.
class Writer {
 public:
  Writer() = default;
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;
  ~Writer();

  // Creates (or empties) the file and writes the header; false when it cannot.
  bool open(const std::string& path, const Header& header);
  void add(const Item& item);
  // An intake: empty ones are counted and written as one Quiet item.
  void addEvents(const std::vector<OutsideEvent>& events);
  // Hands what is compressed so far to the file; fails when the file's name
  // no longer leads to the file being written (it was deleted or replaced).
  bool flush();
  // Writes the end mark, finishes the stream and closes the file; fails as
  // flush does.
  bool close(bool cutShort, uint64_t frames);

  bool failed() const { return failed_; }
  const std::string& problem() const { return problem_; }

 private:
  bool deflateOut(int mode);
  bool writeOut(const char* bytes, size_t size);
  bool stillNamed();
  void fail(const std::string& what);
  void flushQuiet();

  int file_ = -1;
  std::string path_;
  bool regular_ = false;  // a regular file, whose name is checked
  FileIdentity identity_;
  z_stream* stream_ = nullptr;
  std::string pending_;  // encoded items not yet compressed
  Previous previous_;
  uint64_t quiet_ = 0;
  bool failed_ = false;
  std::string problem_;
};

}  // namespace mvn::platform::runfile
