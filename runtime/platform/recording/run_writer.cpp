// Writing a recording: the whole run at once, or item by item as it goes.
#include <zlib.h>

#include <cerrno>
#include <cstring>

#include "runtime/platform/recording/run_coding.h"
#include "runtime/platform/recording/run_file.h"
#include "runtime/platform/recording/run_file_system.h"

namespace mvn::platform::runfile {

std::string encodeRun(const Contents& contents) {
  std::string body;
  Previous previous = freshPrevious();
  for (const Item& item : contents.items) encodeItem(body, item, previous);
  std::string out = encodeHeader(contents.header);
  uLongf size = compressBound(static_cast<uLong>(body.size()));
  std::string packed(size, '\0');
  compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
            reinterpret_cast<const Bytef*>(body.data()), static_cast<uLong>(body.size()), 9);
  packed.resize(size);
  return out + packed;
}

Writer::~Writer() {
  if (stream_) {
    deflateEnd(stream_);
    delete stream_;
  }
  if (file_ >= 0) ::close(file_);
}

void Writer::fail(const std::string& what) {
  if (failed_) return;
  failed_ = true;
  problem_ = what;
  if (file_ >= 0) ::close(file_);
  file_ = -1;
}

bool Writer::open(const std::string& path, const Header& header) {
  path_ = path;
  bool busy = false;
  file_ = openForWriting(path, busy);
  if (file_ < 0) {
    fail(busy ? "another run is recording to it" : std::strerror(errno));
    return false;
  }
  FileStatus st;
  if (statusOf(file_, st) != 0) {
    fail(std::strerror(errno));
    return false;
  }
  regular_ = S_ISREG(st.st_mode);
  if (regular_ && !identityOf(file_, identity_)) {
    fail(std::strerror(errno));
    return false;
  }
  if (regular_) {
    if (!lockForWriting(file_)) {
      fail("another run is recording to it");
      return false;
    }
    if (truncateToEmpty(file_) != 0) {
      fail(std::strerror(errno));
      return false;
    }
  }
  blockingAgain(file_);
  stream_ = new z_stream{};
  if (deflateInit(stream_, 6) != Z_OK) {
    delete stream_;
    stream_ = nullptr;
    fail("out of memory");
    return false;
  }
  previous_ = freshPrevious();
  const std::string head = encodeHeader(header);
  return writeOut(head.data(), head.size());
}

bool Writer::writeOut(const char* bytes, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(file_, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      fail(n < 0 ? std::strerror(errno) : "nothing could be written");
      return false;
    }
    bytes += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// A file deleted, or replaced by another under its name, takes the recording
// with it: written on, it would be lost without a word.
bool Writer::stillNamed() {
  if (!regular_) return true;
  FileIdentity now;
  if (identityOf(path_, now) && now == identity_) return true;
  fail("it was deleted or replaced while the run went on");
  return false;
}

void Writer::flushQuiet() {
  if (quiet_ == 0) return;
  Item quiet;
  quiet.kind = ItemKind::Quiet;
  quiet.count = quiet_;
  quiet_ = 0;
  encodeItem(pending_, quiet, previous_);
}

void Writer::add(const Item& item) {
  if (failed_) return;
  flushQuiet();
  encodeItem(pending_, item, previous_);
  if (pending_.size() >= 1 << 16) deflateOut(Z_NO_FLUSH);
}

void Writer::addEvents(const std::vector<OutsideEvent>& events) {
  if (failed_) return;
  if (events.empty()) {
    ++quiet_;
    return;
  }
  Item item;
  item.kind = ItemKind::Events;
  item.events = events;
  add(item);
}

bool Writer::deflateOut(int mode) {
  if (failed_) return false;
  stream_->next_in = reinterpret_cast<Bytef*>(pending_.data());
  stream_->avail_in = static_cast<uInt>(pending_.size());
  char chunk[65536];
  int result = Z_OK;
  do {
    stream_->next_out = reinterpret_cast<Bytef*>(chunk);
    stream_->avail_out = sizeof chunk;
    result = deflate(stream_, mode);
    if (!writeOut(chunk, sizeof chunk - stream_->avail_out)) return false;
  } while (stream_->avail_out == 0 || (mode == Z_FINISH && result == Z_OK));
  pending_.clear();
  return true;
}

bool Writer::flush() {
  if (failed_) return false;
  flushQuiet();
  return deflateOut(Z_SYNC_FLUSH) && stillNamed();
}

bool Writer::close(bool cutShort, uint64_t frames) {
  if (failed_) return false;
  flushQuiet();
  Item end;
  end.kind = ItemKind::End;
  end.cutShort = cutShort;
  end.count = frames;
  encodeItem(pending_, end, previous_);
  if (!deflateOut(Z_FINISH) || !stillNamed()) return false;
  const bool closed = ::close(file_) == 0;
  file_ = -1;
  if (!closed) {
    fail(std::strerror(errno));
    return false;
  }
  return true;
}

}  // namespace mvn::platform::runfile
