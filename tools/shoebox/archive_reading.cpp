#include "tools/shoebox/archive_reading.h"

#include "runtime/core/printable_text.h"

namespace shoebox {

bool openArchive(const std::string& path, OpenedArchive* archive, std::string* error) {
  if (!archive->file.openRead(path.c_str())) {
    *error = path + ": cannot open (missing, not a file, or in use)";
    return false;
  }
  switch (mvn::readShoeboxTrailer(archive->file, &archive->layout)) {
    case mvn::ShoeboxTrailer::Ok:
      break;
    case mvn::ShoeboxTrailer::BadMagic:
      *error = path + ": not a shoebox archive (no \"sbX\" trailer)";
      return false;
    case mvn::ShoeboxTrailer::Unreadable:
      if (archive->layout.fileSize < mvn::kShoeboxTrailerSize) {
        *error = path + ": not a shoebox archive (too short)";
        return false;
      }
      *error = path + ": damaged archive (trailer or directory position outside the file)";
      return false;
  }
  for (;;) {
    mvn::ShoeboxEntry entry;
    switch (mvn::readShoeboxEntry(archive->file, &entry)) {
      case mvn::ShoeboxEntryRead::Entry:
        archive->entries.push_back(entry);
        continue;
      case mvn::ShoeboxEntryRead::End:
        return true;
      case mvn::ShoeboxEntryRead::Unreadable:
        *error = path + ": damaged archive (directory runs past the end of the file)";
        return false;
    }
  }
}

bool unpackEntry(OpenedArchive& archive, const mvn::ShoeboxEntry& entry,
                 std::vector<unsigned char>* stored, mvn::UnpackedMember* member, std::string* error) {
  if (!mvn::readShoeboxBlock(archive.file, archive.layout, entry, stored)) {
    *error = "member \"" + mvn::printableText(entry.name) + "\" is damaged (block outside the archive)";
    return false;
  }
  *member = mvn::unpackShoeboxMember(*stored);
  const int32_t recorded = mvn::recordedUnpackedSize(*stored);
  if (!member->ok || recorded < 0 || member->length != static_cast<uint32_t>(recorded)) {
    *error = "member \"" + mvn::printableText(entry.name) + "\" is damaged (does not unpack to its recorded " +
             std::to_string(recorded) + " bytes)";
    return false;
  }
  return true;
}

}  // namespace shoebox
