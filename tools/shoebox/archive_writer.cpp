#include "tools/shoebox/archive_writer.h"

#include <lzo/lzo1x.h>

#include "runtime/files/shoebox_archive.h"

namespace shoebox {

namespace {

void putLe32(std::vector<unsigned char>* out, int64_t value) {
  const auto v = static_cast<uint32_t>(static_cast<int32_t>(value));
  for (int shift = 0; shift < 32; shift += 8) out->push_back(static_cast<unsigned char>(v >> shift));
}

}  // namespace

bool compressMember(const std::vector<unsigned char>& contents, std::vector<unsigned char>* block,
                    std::string* error) {
  if (static_cast<int64_t>(contents.size()) > mvn::kShoeboxMaxUnpackedSize) {
    *error = "file is larger than 1 GiB";
    return false;
  }
  if (lzo_init() != LZO_E_OK) {
    *error = "LZO library cannot start";
    return false;
  }
  std::vector<unsigned char> work(LZO1X_999_MEM_COMPRESS);
  block->assign(4 + contents.size() + contents.size() / 16 + 64 + 3, 0);
  lzo_uint packed = 0;
  static const unsigned char empty = 0;
  const int result = lzo1x_999_compress(contents.empty() ? &empty : contents.data(), contents.size(),
                                        block->data() + 4, &packed, work.data());
  if (result != LZO_E_OK) {
    *error = "LZO compression failed";
    return false;
  }
  block->resize(4 + packed);
  std::vector<unsigned char> header;
  putLe32(&header, static_cast<int64_t>(contents.size()));
  std::copy(header.begin(), header.end(), block->begin());
  return true;
}

bool serialiseArchive(const std::vector<StoredMember>& members, Addressing addressing,
                      std::vector<unsigned char>* bytes, std::string* error) {
  // Offsets are 32-bit: the whole archive must stay below 2 GiB.
  int64_t total = 1 + mvn::kShoeboxTrailerSize;
  for (const StoredMember& m : members) {
    if (m.name.empty() || m.name.size() > 255) {
      *error = "member name \"" + m.name + "\" must be 1 to 255 bytes";
      return false;
    }
    total += static_cast<int64_t>(m.block.size()) + 1 + static_cast<int64_t>(m.name.size()) + 8;
  }
  if (total > INT32_MAX) {
    *error = "archive would exceed 2 GiB";
    return false;
  }
  // Absolute offsets are file positions; offsets from the end subtract the
  // archive's whole length, whatever it is appended to.
  const int64_t base = addressing == Addressing::FromEnd ? -total : 0;
  bytes->clear();
  bytes->reserve(static_cast<size_t>(total));
  std::vector<int64_t> offsets;
  for (const StoredMember& m : members) {
    offsets.push_back(static_cast<int64_t>(bytes->size()) + base);
    bytes->insert(bytes->end(), m.block.begin(), m.block.end());
  }
  const int64_t directory = static_cast<int64_t>(bytes->size()) + base;
  for (size_t i = 0; i < members.size(); ++i) {
    bytes->push_back(static_cast<unsigned char>(members[i].name.size()));
    bytes->insert(bytes->end(), members[i].name.begin(), members[i].name.end());
    putLe32(bytes, offsets[i]);
    putLe32(bytes, static_cast<int64_t>(members[i].block.size()));
  }
  bytes->push_back(0);
  bytes->insert(bytes->end(), std::begin(mvn::kShoeboxMagic), std::end(mvn::kShoeboxMagic));
  putLe32(bytes, directory);
  return true;
}

}  // namespace shoebox
