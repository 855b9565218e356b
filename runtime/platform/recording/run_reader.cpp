// Reading a recording: the file, its header, and its body item by item.
#include <zlib.h>

#include <cerrno>
#include <cstring>

#include "runtime/platform/recording/run_coding.h"
#include "runtime/platform/recording/run_file.h"
#include "runtime/platform/recording/run_file_system.h"

namespace mvn::platform::runfile {

namespace {

// No item of a run takes more than this (the largest is an intake of a full
// event queue); the reader keeps this much of the body unpacked ahead.
constexpr size_t kLargestItem = size_t{8} << 20;
// parseRun holds every item; a run whose items take more than this is not
// held whole.
constexpr uint64_t kLargestContents = uint64_t{64} << 20;

uint64_t heldSize(const Item& item) {
  uint64_t size = sizeof item + item.values.size() * sizeof(int64_t) + item.text.size();
  for (const OutsideEvent& e : item.events)
    size += sizeof e + e.values.size() * sizeof(int64_t) + e.text.size();
  return size;
}

bool collect(Reader& reader, Contents& contents, std::string& problem) {
  contents.header = reader.header();
  uint64_t held = 0;
  Item item;
  while (reader.next(item, problem)) {
    held += heldSize(item);
    if (held > kLargestContents) {
      contents.items.clear();
      problem = "is too large to be held whole";
      return false;
    }
    const bool end = item.kind == ItemKind::End;
    contents.items.push_back(std::move(item));
    if (end) return true;
  }
  contents.items.clear();
  return false;
}

// Reads up to size bytes; the number read, or -1 with errno.
ssize_t readSome(int fd, char* to, size_t size) {
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, to + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return static_cast<ssize_t>(done);
}

// The file's bytes: "" when they could be had, else the problem.
std::string readBytes(int fd, std::string& bytes) {
  FileStatus st;
  if (statusOf(fd, st) != 0) return std::string("cannot be opened: ") + std::strerror(errno);
  if (S_ISDIR(st.st_mode)) return std::string("cannot be opened: ") + std::strerror(EISDIR);
  if (!S_ISREG(st.st_mode)) return "cannot be opened: it is not a regular file";
  if (static_cast<uint64_t>(st.st_size) > kLargestFile) return "is too large to be a run recording";
  blockingAgain(fd);
  // The magic bytes first: another kind of file is not read on.
  bytes.resize(sizeof kMagic);
  ssize_t n = readSome(fd, bytes.data(), bytes.size());
  if (n < 0) return std::string("cannot be read: ") + std::strerror(errno);
  bytes.resize(static_cast<size_t>(n));
  if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) return "";
  char chunk[65536];
  while ((n = readSome(fd, chunk, sizeof chunk)) > 0) {
    bytes.append(chunk, static_cast<size_t>(n));
    if (bytes.size() > kLargestFile) return "is too large to be a run recording";  // it grew
  }
  if (n < 0) return std::string("cannot be read: ") + std::strerror(errno);
  return "";
}

}  // namespace

Reader::~Reader() {
  if (stream_) {
    inflateEnd(stream_);
    delete stream_;
  }
}

bool Reader::open(std::string bytes, std::string& problem) {
  open_ = false;
  problem_.clear();
  header_ = Header{};
  if (bytes.size() < sizeof kMagic) {
    problem_ = bytes.empty() || std::memcmp(bytes.data(), kMagic, bytes.size()) != 0
                   ? "is not a run recording"
                   : "is truncated";
  } else if (std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
    problem_ = "is not a run recording";
  } else if (bytes.size() > kLargestFile) {
    problem_ = "is too large to be a run recording";
  } else {
    problem_ = decodeHeader(bytes, header_, bodyAt_);
  }
  if (problem_.empty() && !stream_) {
    stream_ = new z_stream{};
    if (inflateInit(stream_) != Z_OK) {
      delete stream_;
      stream_ = nullptr;
      problem_ = "cannot be unpacked (out of memory)";
    }
  }
  problem = problem_;
  if (!problem_.empty()) return false;
  packed_ = std::move(bytes);
  open_ = true;
  rewind();
  return true;
}

void Reader::rewind() {
  if (!open_) return;
  inflateReset(stream_);
  stream_->next_in = reinterpret_cast<Bytef*>(packed_.data() + bodyAt_);
  stream_->avail_in = static_cast<uInt>(packed_.size() - bodyAt_);
  window_.clear();
  at_ = 0;
  unpacked_ = 0;
  bodyEnded_ = false;
  previous_ = freshPrevious();
  frames_ = 0;
  ended_ = false;
  problem_.clear();
}

// Unpacks until a whole item of the largest size lies ahead, or the body ends.
bool Reader::fill(std::string& problem) {
  if (at_ >= kLargestItem) {
    window_.erase(0, at_);
    at_ = 0;
  }
  char chunk[65536];
  while (!bodyEnded_ && window_.size() - at_ < kLargestItem) {
    stream_->next_out = reinterpret_cast<Bytef*>(chunk);
    stream_->avail_out = sizeof chunk;
    const int result = inflate(stream_, Z_NO_FLUSH);
    const size_t made = sizeof chunk - stream_->avail_out;
    window_.append(chunk, made);
    unpacked_ += made;
    if (unpacked_ > kLargestBody) {
      problem = "is too large to be a run recording";
      return false;
    }
    if (result == Z_STREAM_END) {
      bodyEnded_ = true;
      if (stream_->avail_in != 0) {
        problem = "is corrupt (bytes follow its end)";
        return false;
      }
    } else if (result == Z_OK) {
      // Nothing more to read and no more output: the stream stops short.
      if (stream_->avail_in == 0 && stream_->avail_out != 0) {
        problem = "is truncated";
        return false;
      }
    } else {
      problem = result == Z_BUF_ERROR   ? "is truncated"
                : result == Z_MEM_ERROR ? "cannot be unpacked (out of memory)"
                                        : "is corrupt (its body does not unpack)";
      return false;
    }
  }
  return true;
}

bool Reader::next(Item& item, std::string& problem) {
  if (!open_ || !problem_.empty()) {
    problem = problem_.empty() ? "is not open" : problem_;
    return false;
  }
  if (ended_) {
    item = end_;
    return true;
  }
  const auto refuse = [&](const std::string& why) {
    problem_ = problem = why;
    return false;
  };
  std::string why;
  if (!fill(why)) return refuse(why);
  if (at_ >= window_.size()) return refuse("is corrupt (its end mark is missing or misplaced)");
  Cursor in(window_, at_);
  if (!decodeItem(in, item, previous_)) return refuse("is corrupt (a damaged item)");
  at_ = in.offset();
  if (item.kind == ItemKind::Frame) ++frames_;
  if (item.kind != ItemKind::End) return true;
  // Nothing may follow the end mark, and it counts the frames there were.
  if (!fill(why)) return refuse(why);
  if (at_ < window_.size()) return refuse("is corrupt (its end mark is missing or misplaced)");
  if (item.count != frames_) {
    return refuse("is corrupt (its end mark counts " + std::to_string(item.count) +
                  " frames; the run has " + std::to_string(frames_) + ")");
  }
  ended_ = true;
  end_ = item;
  return true;
}

bool Reader::check(std::string& problem) {
  rewind();
  Item item;
  do {
    if (!next(item, problem)) return false;
  } while (item.kind != ItemKind::End);
  rewind();
  return true;
}

bool openRunFile(const std::string& path, Reader& reader, std::string& problem) {
  const int fd = openForReading(path);
  if (fd < 0) {
    problem = std::string("cannot be opened: ") + std::strerror(errno);
    return false;
  }
  std::string bytes;
  problem = readBytes(fd, bytes);
  ::close(fd);
  if (!problem.empty()) return false;
  return reader.open(std::move(bytes), problem);
}

bool parseRun(const std::string& bytes, Contents& contents, std::string& problem) {
  contents = Contents{};
  Reader reader;
  return reader.open(bytes, problem) && collect(reader, contents, problem);
}

bool readRunFile(const std::string& path, Contents& contents, std::string& problem) {
  contents = Contents{};
  Reader reader;
  return openRunFile(path, reader, problem) && collect(reader, contents, problem);
}

}  // namespace mvn::platform::runfile
