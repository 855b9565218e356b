#include "runtime/platform/recording/run_coding.h"

#include <zlib.h>

namespace mvn::platform::runfile {

namespace {

constexpr int kLastRead = static_cast<int>(OutsideRead::DisplayMode);
// The system's event queue holds at most this many events: no intake takes more.
constexpr uint64_t kMostEvents = 65536;
// Virtual-key codes are bytes: no more than this many can be down at once.
constexpr size_t kMostKeysDown = 256;
// A controller's name or a piece of typed text is never longer.
constexpr size_t kLongestText = 4096;

// How many values each read has, by its number; -1: any number up to
// kMostKeysDown; 0: a text read.
constexpr int kReadValues[kLastRead + 1] = {
    0,
    1,   // the counter
    1,   // its frequency
    1,   // the tick count
    1,   // the wall clock
    2,   // the pointer's position
    1,   // a mouse button
    -1,  // the virtual keys down
    1,   // the foreground window
    1,   // whether the window is shown
    1,   // whether a sound voice plays
    1,   // whether a sound voice started
    1,   // the music's position
    1,   // the number of controllers
    0,   // a controller's name
    1,   // whether a controller opened
    10,  // a controller's state
    5,   // a work area
    1,   // a system metric
    1,   // the colour depth
    1,   // a display mode change
};

// How many values each event has, by its kind (1 to 8).
constexpr size_t kEventValues[] = {0, 0, 4, 6, 1, 7, 7, 5, 9};
constexpr uint8_t kTypedText = 4;

bool possibleRead(const Item& item) {
  const int wanted = kReadValues[static_cast<int>(item.read)];
  if (item.kind == ItemKind::Text) return wanted == 0 && item.text.size() <= kLongestText;
  if (wanted < 0) return item.values.size() <= kMostKeysDown;
  return wanted > 0 && item.values.size() == static_cast<size_t>(wanted);
}

bool possibleEvent(const OutsideEvent& e) {
  if (e.kind < 1 || e.kind > 8 || e.values.size() != kEventValues[e.kind]) return false;
  return e.kind == kTypedText ? e.text.size() <= kLongestText : e.text.empty();
}

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

int64_t previousValue(const Previous& previous, OutsideRead read, size_t i) {
  const auto& values = previous[static_cast<size_t>(read)];
  return i < values.size() ? values[i] : 0;
}

}  // namespace

Previous freshPrevious() { return Previous(256); }

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

uint8_t Cursor::byte() {
  if (atEnd()) return fail();
  return static_cast<uint8_t>(bytes_[at_++]);
}

uint64_t Cursor::number() {
  uint64_t value = 0;
  for (int shift = 0; shift < 64; shift += 7) {
    const uint8_t b = byte();
    if (bad_) return 0;
    value |= uint64_t{b & 0x7Fu} << shift;
    if (!(b & 0x80)) return value;
  }
  return fail();
}

int64_t Cursor::signedNumber() {
  const uint64_t v = number();
  return static_cast<int64_t>((v >> 1) ^ (~(v & 1) + 1));
}

uint64_t Cursor::count() {
  const uint64_t n = number();
  return n > left() ? fail() : n;
}

std::string Cursor::text() {
  const uint64_t n = count();
  if (bad_) return {};
  std::string t = bytes_.substr(at_, n);
  at_ += n;
  return t;
}

uint64_t Cursor::word(int bytes) {
  uint64_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= uint64_t{byte()} << (8 * i);
  return value;
}

uint8_t Cursor::fail() {
  bad_ = true;
  at_ = bytes_.size();
  return 0;
}

std::string decodeHeader(const std::string& bytes, Header& header, size_t& bodyAt) {
  Cursor in(bytes, sizeof kMagic);
  header.version = static_cast<uint16_t>(in.word(2));
  if (in.bad()) return "is truncated";
  if (header.version != kFormatVersion) {
    return "is in recording format version " + std::to_string(header.version) +
           "; this runtime reads version " + std::to_string(kFormatVersion);
  }
  header.program = in.text();
  header.build = in.text();
  const uint64_t interval = in.number();
  const size_t checked = in.offset();
  const uint32_t sum = static_cast<uint32_t>(in.word(4));
  if (in.bad()) return "is truncated";
  if (sum != static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(bytes.data()),
                                         static_cast<uInt>(checked))) ||
      interval > 0xFFFFFFFFu) {
    return "is corrupt (its header does not check)";
  }
  header.frameHashInterval = static_cast<uint32_t>(interval);
  bodyAt = in.offset();
  return "";
}

bool decodeItem(Cursor& in, Item& item, Previous& previous) {
  // Cleared field by field: a reader going through millions of items keeps
  // the capacity it has.
  item.read = OutsideRead::Counter;
  item.values.clear();
  item.text.clear();
  item.events.clear();
  item.hashed = false;
  item.hash = 0;
  item.count = 0;
  item.cutShort = false;
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
      if (kReadValues[read] >= 0 ? n != static_cast<uint64_t>(kReadValues[read]) : n > kMostKeysDown)
        return false;
      item.values.reserve(n);
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
      if (n == 0 || n > kMostEvents) return false;  // an intake without events is a quiet one
      item.events.reserve(n);
      for (uint64_t i = 0; i < n && !in.bad(); ++i) {
        OutsideEvent e;
        e.kind = in.byte();
        if (e.kind < 1 || e.kind > 8) return false;
        const uint64_t values = in.count();
        if (values != kEventValues[e.kind]) return false;
        e.values.reserve(values);
        for (uint64_t v = 0; v < values && !in.bad(); ++v) e.values.push_back(in.signedNumber());
        e.text = in.text();
        if (!possibleEvent(e)) return false;
        item.events.push_back(std::move(e));
      }
      break;
    }
    case static_cast<uint8_t>(ItemKind::Quiet):
    case static_cast<uint8_t>(ItemKind::Seed):
      item.kind = static_cast<ItemKind>(kind);
      item.count = in.number();
      if (item.kind == ItemKind::Quiet && item.count == 0) return false;
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
  if (in.bad()) return false;
  return item.kind != ItemKind::Read && item.kind != ItemKind::Text ? true : possibleRead(item);
}

}  // namespace mvn::platform::runfile
