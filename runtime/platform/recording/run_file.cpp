#include "runtime/platform/recording/run_file.h"

#include <zlib.h>

#include <cerrno>
#include <cstring>

namespace mvn::platform::runfile {

namespace {

constexpr char kMagic[6] = {'M', 'V', 'N', 'R', 'U', 'N'};
// A body larger than this is no recording of ours (nor worth unpacking).
constexpr size_t kLargestBody = size_t{256} << 20;
constexpr int kLastRead = static_cast<int>(OutsideRead::DisplayMode);

// Numbers are LEB128; signed ones zigzagged first.
void putNumber(std::string& out, uint64_t value) {
  while (value >= 0x80) {
    out.push_back(static_cast<char>((value & 0x7F) | 0x80));
    value >>= 7;
  }
  out.push_back(static_cast<char>(value));
}

void putSigned(std::string& out, int64_t value) {
  const uint64_t v = static_cast<uint64_t>(value);
  putNumber(out, (v << 1) ^ (value < 0 ? ~uint64_t{0} : 0));
}

void putText(std::string& out, const std::string& text) {
  putNumber(out, text.size());
  out += text;
}

void putWord16(std::string& out, uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

void putWord32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void putWord64(std::string& out, uint64_t value) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Values of a read are written as the difference from the same read's
// previous values, which keeps clock readings a few bytes each.
using Previous = std::vector<std::vector<int64_t>>;

int64_t previousValue(const Previous& previous, OutsideRead read, size_t i) {
  const auto& values = previous[static_cast<size_t>(read)];
  return i < values.size() ? values[i] : 0;
}

void encodeItem(std::string& out, const Item& item, Previous& previous) {
  out.push_back(static_cast<char>(item.kind));
  switch (item.kind) {
    case ItemKind::Frame:
      out.push_back(item.hashed ? 1 : 0);
      if (item.hashed) putWord64(out, item.hash);
      break;
    case ItemKind::Read: {
      out.push_back(static_cast<char>(item.read));
      putNumber(out, item.values.size());
      for (size_t i = 0; i < item.values.size(); ++i) {
        const uint64_t delta = static_cast<uint64_t>(item.values[i]) -
                               static_cast<uint64_t>(previousValue(previous, item.read, i));
        putSigned(out, static_cast<int64_t>(delta));
      }
      previous[static_cast<size_t>(item.read)] = item.values;
      break;
    }
    case ItemKind::Text:
      out.push_back(static_cast<char>(item.read));
      putText(out, item.text);
      break;
    case ItemKind::Events:
      putNumber(out, item.events.size());
      for (const OutsideEvent& e : item.events) {
        out.push_back(static_cast<char>(e.kind));
        putNumber(out, e.values.size());
        for (int64_t v : e.values) putSigned(out, v);
        putText(out, e.text);
      }
      break;
    case ItemKind::Quiet:
    case ItemKind::Seed:
      putNumber(out, item.count);
      break;
    case ItemKind::End:
      out.push_back(item.cutShort ? 1 : 0);
      putNumber(out, item.count);
      break;
  }
}

std::string encodeHeader(const Header& header) {
  std::string out(kMagic, sizeof kMagic);
  putWord16(out, header.version);
  putText(out, header.program);
  putText(out, header.build);
  putNumber(out, header.frameHashInterval);
  putWord32(out, static_cast<uint32_t>(
                     crc32(0, reinterpret_cast<const Bytef*>(out.data()), static_cast<uInt>(out.size()))));
  return out;
}

// Reads the parts of a byte string; any read past its end or any value out
// of its range marks the reader bad, and later reads give 0.
class Cursor {
 public:
  explicit Cursor(const std::string& bytes, size_t at = 0) : bytes_(bytes), at_(at) {}
  bool bad() const { return bad_; }
  bool atEnd() const { return at_ >= bytes_.size(); }
  size_t offset() const { return at_; }
  size_t left() const { return at_ < bytes_.size() ? bytes_.size() - at_ : 0; }

  uint8_t byte() {
    if (atEnd()) return fail();
    return static_cast<uint8_t>(bytes_[at_++]);
  }
  uint64_t number() {
    uint64_t value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
      const uint8_t b = byte();
      if (bad_) return 0;
      value |= uint64_t{b & 0x7Fu} << shift;
      if (!(b & 0x80)) return value;
    }
    return fail();
  }
  int64_t signedNumber() {
    const uint64_t v = number();
    return static_cast<int64_t>((v >> 1) ^ (~(v & 1) + 1));
  }
  // A count of things that take at least one byte each.
  uint64_t count() {
    const uint64_t n = number();
    return n > left() ? fail() : n;
  }
  std::string text() {
    const uint64_t n = count();
    if (bad_) return {};
    std::string t = bytes_.substr(at_, n);
    at_ += n;
    return t;
  }
  uint64_t word(int bytes) {
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= uint64_t{byte()} << (8 * i);
    return value;
  }
  uint8_t fail() {
    bad_ = true;
    at_ = bytes_.size();
    return 0;
  }

 private:
  const std::string& bytes_;
  size_t at_;
  bool bad_ = false;
};

bool decodeItem(Cursor& in, Item& item, Previous& previous) {
  item = Item{};
  const uint8_t kind = in.byte();
  switch (kind) {
    case static_cast<uint8_t>(ItemKind::Frame): {
      item.kind = ItemKind::Frame;
      const uint8_t flags = in.byte();
      if (flags > 1) return false;
      item.hashed = flags == 1;
      if (item.hashed) item.hash = in.word(8);
      break;
    }
    case static_cast<uint8_t>(ItemKind::Read):
    case static_cast<uint8_t>(ItemKind::Text): {
      item.kind = static_cast<ItemKind>(kind);
      const uint8_t read = in.byte();
      if (read < 1 || read > kLastRead) return false;
      item.read = static_cast<OutsideRead>(read);
      if (item.kind == ItemKind::Text) {
        item.text = in.text();
        break;
      }
      const uint64_t n = in.count();
      for (uint64_t i = 0; i < n && !in.bad(); ++i) {
        const uint64_t delta = static_cast<uint64_t>(in.signedNumber());
        item.values.push_back(static_cast<int64_t>(
            static_cast<uint64_t>(previousValue(previous, item.read, i)) + delta));
      }
      previous[read] = item.values;
      break;
    }
    case static_cast<uint8_t>(ItemKind::Events): {
      item.kind = ItemKind::Events;
      const uint64_t n = in.count();
      for (uint64_t i = 0; i < n && !in.bad(); ++i) {
        OutsideEvent e;
        e.kind = in.byte();
        const uint64_t values = in.count();
        for (uint64_t v = 0; v < values && !in.bad(); ++v) e.values.push_back(in.signedNumber());
        e.text = in.text();
        item.events.push_back(std::move(e));
      }
      break;
    }
    case static_cast<uint8_t>(ItemKind::Quiet):
    case static_cast<uint8_t>(ItemKind::Seed):
      item.kind = static_cast<ItemKind>(kind);
      item.count = in.number();
      if (item.kind == ItemKind::Seed && item.count > 0xFFFFFFFFu) return false;
      break;
    case static_cast<uint8_t>(ItemKind::End): {
      item.kind = ItemKind::End;
      const uint8_t cut = in.byte();
      if (cut > 1) return false;
      item.cutShort = cut == 1;
      item.count = in.number();
      break;
    }
    default:
      return false;
  }
  return !in.bad();
}

// Inflates the body: "" when it is complete, else what is wrong with it.
std::string inflateBody(const std::string& bytes, size_t from, std::string& body) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return "cannot be unpacked (out of memory)";
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data() + from));
  z.avail_in = static_cast<uInt>(bytes.size() - from);
  char chunk[65536];
  int result = Z_OK;
  while (result == Z_OK) {
    z.next_out = reinterpret_cast<Bytef*>(chunk);
    z.avail_out = sizeof chunk;
    result = inflate(&z, Z_NO_FLUSH);
    body.append(chunk, sizeof chunk - z.avail_out);
    if (body.size() > kLargestBody) {
      inflateEnd(&z);
      return "is too large to be a run recording";
    }
    // Nothing more to read and no more output: the stream stops short.
    if (result == Z_OK && z.avail_in == 0 && z.avail_out != 0) result = Z_BUF_ERROR;
  }
  const size_t trailing = z.avail_in;
  inflateEnd(&z);
  if (result == Z_BUF_ERROR) return "is truncated";
  if (result != Z_STREAM_END) return "is corrupt (its body does not unpack)";
  if (trailing != 0) return "is corrupt (bytes follow its end)";
  return "";
}

}  // namespace

std::string encodeRun(const Contents& contents) {
  std::string body;
  Previous previous(256);
  for (const Item& item : contents.items) encodeItem(body, item, previous);
  std::string out = encodeHeader(contents.header);
  uLongf size = compressBound(static_cast<uLong>(body.size()));
  std::string packed(size, '\0');
  compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
            reinterpret_cast<const Bytef*>(body.data()), static_cast<uLong>(body.size()), 9);
  packed.resize(size);
  return out + packed;
}

bool parseRun(const std::string& bytes, Contents& contents, std::string& problem) {
  contents = Contents{};
  if (bytes.size() < sizeof kMagic) {
    problem = bytes.empty() || std::memcmp(bytes.data(), kMagic, bytes.size()) != 0
                  ? "is not a run recording"
                  : "is truncated";
    return false;
  }
  if (std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
    problem = "is not a run recording";
    return false;
  }
  Cursor in(bytes, sizeof kMagic);
  Header& header = contents.header;
  header.version = static_cast<uint16_t>(in.word(2));
  if (in.bad()) {
    problem = "is truncated";
    return false;
  }
  if (header.version != kFormatVersion) {
    problem = "is in recording format version " + std::to_string(header.version) +
              "; this runtime reads version " + std::to_string(kFormatVersion);
    return false;
  }
  header.program = in.text();
  header.build = in.text();
  const uint64_t interval = in.number();
  const size_t checked = in.offset();
  const uint32_t sum = static_cast<uint32_t>(in.word(4));
  if (in.bad()) {
    problem = "is truncated";
    return false;
  }
  if (sum != static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(bytes.data()),
                                         static_cast<uInt>(checked))) ||
      interval > 0xFFFFFFFFu) {
    problem = "is corrupt (its header does not check)";
    return false;
  }
  header.frameHashInterval = static_cast<uint32_t>(interval);

  std::string body;
  problem = inflateBody(bytes, in.offset(), body);
  if (!problem.empty()) return false;

  Cursor items(body);
  Previous previous(256);
  while (!items.atEnd()) {
    Item item;
    if (!decodeItem(items, item, previous)) {
      problem = "is corrupt (a damaged item)";
      return false;
    }
    const bool end = item.kind == ItemKind::End;
    contents.items.push_back(std::move(item));
    if (end) break;
  }
  if (contents.items.empty() || contents.items.back().kind != ItemKind::End || !items.atEnd()) {
    problem = "is corrupt (its end mark is missing or misplaced)";
    return false;
  }
  return true;
}

bool readRunFile(const std::string& path, Contents& contents, std::string& problem) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    problem = std::string("cannot be opened: ") + std::strerror(errno);
    return false;
  }
  std::string bytes;
  char chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    bytes.append(chunk, n);
    if (bytes.size() > kLargestBody) break;
  }
  const bool error = std::ferror(file) != 0;
  std::fclose(file);
  if (error) {
    problem = "cannot be read";
    return false;
  }
  return parseRun(bytes, contents, problem);
}

Writer::~Writer() {
  if (stream_) {
    deflateEnd(stream_);
    delete stream_;
  }
  if (file_) std::fclose(file_);
}

void Writer::fail(const std::string& what) {
  if (failed_) return;
  failed_ = true;
  problem_ = what;
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

bool Writer::open(const std::string& path, const Header& header) {
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) {
    fail(std::strerror(errno));
    return false;
  }
  stream_ = new z_stream{};
  if (deflateInit(stream_, 6) != Z_OK) {
    delete stream_;
    stream_ = nullptr;
    fail("out of memory");
    return false;
  }
  previous_.assign(256, {});
  const std::string head = encodeHeader(header);
  if (std::fwrite(head.data(), 1, head.size(), file_) != head.size() || std::fflush(file_) != 0) {
    fail(std::strerror(errno));
    return false;
  }
  return true;
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
    const size_t made = sizeof chunk - stream_->avail_out;
    if (made && std::fwrite(chunk, 1, made, file_) != made) {
      fail(std::strerror(errno));
      return false;
    }
  } while (stream_->avail_out == 0 || (mode == Z_FINISH && result == Z_OK));
  pending_.clear();
  if (mode != Z_NO_FLUSH && std::fflush(file_) != 0) {
    fail(std::strerror(errno));
    return false;
  }
  return true;
}

bool Writer::flush() {
  if (failed_) return false;
  flushQuiet();
  return deflateOut(Z_SYNC_FLUSH);
}

bool Writer::close(bool cutShort, uint64_t frames) {
  if (failed_) return false;
  flushQuiet();
  Item end;
  end.kind = ItemKind::End;
  end.cutShort = cutShort;
  end.count = frames;
  encodeItem(pending_, end, previous_);
  if (!deflateOut(Z_FINISH)) return false;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!closed) {
    fail(std::strerror(errno));
    return false;
  }
  return true;
}

}  // namespace mvn::platform::runfile
