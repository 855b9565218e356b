// Builds shoebox archives: members compressed with LZO1X-999, laid out with
// absolute offsets or with offsets counted back from the end of the file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace shoebox {

struct StoredMember {
  std::string name;                  // 1 to 255 bytes, no directory part
  std::vector<unsigned char> block;  // unpacked size, then the LZO1X stream
};

// Compresses contents into a member block; false (with a reason) when the
// contents are too large for an archive.
bool compressMember(const std::vector<unsigned char>& contents, std::vector<unsigned char>* block,
                    std::string* error);

enum class Addressing { Absolute, FromEnd };

// The archive's bytes: member blocks in order, the directory, its end mark and
// the trailer. FromEnd bytes can be appended to any file as they stand.
bool serialiseArchive(const std::vector<StoredMember>& members, Addressing addressing,
                      std::vector<unsigned char>* bytes, std::string* error);

}  // namespace shoebox
