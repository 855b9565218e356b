// The bytes of a recording, item by item: the numbers, the header and the
// items as docs/recording-format.md lays them out, and what a run can hold.
// The reader and the writer share it; nothing else needs it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/platform/recording/run_file.h"

namespace mvn::platform::runfile {

constexpr char kMagic[6] = {'M', 'V', 'N', 'R', 'U', 'N'};

// Values of a read are written as the difference from the same read's
// previous values (Previous), which keeps clock readings a few bytes each.
Previous freshPrevious();

std::string encodeHeader(const Header& header);
void encodeItem(std::string& out, const Item& item, Previous& previous);

// Reads the parts of a byte string; any read past its end or any value out
// of its range marks the reader bad, and later reads give 0.
class Cursor {
 public:
  explicit Cursor(const std::string& bytes, size_t at = 0) : bytes_(bytes), at_(at) {}
  bool bad() const { return bad_; }
  bool atEnd() const { return at_ >= bytes_.size(); }
  size_t offset() const { return at_; }
  size_t left() const { return at_ < bytes_.size() ? bytes_.size() - at_ : 0; }

  uint8_t byte();
  uint64_t number();
  int64_t signedNumber();
  // A count of things that take at least one byte each.
  uint64_t count();
  std::string text();
  uint64_t word(int bytes);
  uint8_t fail();

 private:
  const std::string& bytes_;
  size_t at_;
  bool bad_ = false;
};

// The header after the magic bytes; "" when it is whole and checks, else the
// problem ("is truncated", "is corrupt (...)", "is in recording format ...").
// bodyAt: where the body begins.
std::string decodeHeader(const std::string& bytes, Header& header, size_t& bodyAt);

// One item; false when it is damaged or holds what no run reads: a read
// with another number of values than its kind has, an event of no known
// kind or with another number of values, an empty run of quiet intakes.
bool decodeItem(Cursor& in, Item& item, Previous& previous);

}  // namespace mvn::platform::runfile
