// Reads a whole archive directory through the runtime's reader.
#pragma once

#include <string>
#include <vector>

#include "runtime/files/rt_file.h"
#include "runtime/files/shoebox_archive.h"

namespace shoebox {

struct OpenedArchive {
  mvn::RtFile file;
  mvn::ShoeboxLayout layout;
  std::vector<mvn::ShoeboxEntry> entries;  // in directory order
};

// Opens path and reads its trailer and directory; false with a reason when it
// is not a readable archive.
bool openArchive(const std::string& path, OpenedArchive* archive, std::string* error);

// Reads and unpacks one member; false with a reason when it is damaged.
bool unpackEntry(OpenedArchive& archive, const mvn::ShoeboxEntry& entry,
                 std::vector<unsigned char>* stored, mvn::UnpackedMember* member, std::string* error);

}  // namespace shoebox
