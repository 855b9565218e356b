#include "runtime/files/shoebox.h"

#include <vector>

#include "runtime/core/log.h"
#include "runtime/files/memory_name.h"
#include "runtime/files/rt_file.h"
#include "runtime/files/shoebox_archive.h"
#include "runtime/platform/files.h"
#include "runtime/values/rt_string.h"

namespace mvn {

ShoeboxSlot* memorySlot = nullptr;
ShoeboxSlot* fileSlot = nullptr;

namespace {

// The temporary file a member is delivered to: "sbx", two letters from the
// low bytes of its data offset and stored size, then its stored name.
std::string temporaryPathFor(const ShoeboxEntry& entry) {
  const auto letter = [](int32_t field) {
    return static_cast<char>('A' + (static_cast<uint32_t>(field) & 0xFFu) % 26);
  };
  return platform::temporaryDirectory() + "sbx" + letter(entry.dataOffset) +
         letter(entry.storedSize) + entry.name;
}

bool deliverToMemory(ShoeboxSlot& slot, UnpackedMember& member, std::string& outName) {
  slot.lastBlock = member.block.release();
  registerMemoryBlock(slot.lastBlock, member.length);
  outName = makeMemoryName(slot.lastBlock, member.length);
  return true;
}

bool deliverToFile(ShoeboxSlot& slot, const ShoeboxEntry& entry, const UnpackedMember& member,
                   std::string& outName) {
  const std::string path = temporaryPathFor(entry);
  removePath(path.c_str());
  RtFile out;
  if (!out.openWrite(path.c_str())) return false;
  const bool written = member.length == 0 || out.write(member.block.get(), member.length);
  out.close();
  if (!written) {
    removePath(path.c_str());  // a partial member is no member
    return false;
  }
  slot.lastTempPath = path;
  outName = path;
  return true;
}

}  // namespace

void releaseResult(ShoeboxSlot& slot) {
  if (slot.lastBlock) {
    unregisterMemoryBlock(slot.lastBlock);
    delete[] slot.lastBlock;
    slot.lastBlock = nullptr;
  }
  if (!slot.lastTempPath.empty()) {
    removePath(slot.lastTempPath.c_str());
    slot.lastTempPath.clear();
  }
}

bool shoeboxLookup(ShoeboxSlot* slot, const char* name, std::string& outName, bool toMemory) {
  if (slot) releaseResult(*slot);
  if (!name || !*name) {
    outName.clear();
    return false;
  }
  outName = name;
  if (isMemoryName(name)) return true;
  if (fileExists(name)) return true;
  if (!slot || !slot->enabled) return false;
  if (slot->archiveName.empty()) {
    slot->enabled = 0;
    return false;
  }

  RtFile archive;
  if (!archive.openRead(slot->archiveName.c_str())) {
    slot->enabled = 0;
    return false;
  }
  ShoeboxLayout layout;
  switch (readShoeboxTrailer(archive, &layout)) {
    case ShoeboxTrailer::Ok:
      break;
    case ShoeboxTrailer::BadMagic:
      slot->enabled = 0;
      return false;
    case ShoeboxTrailer::Unreadable:
      outName.clear();
      return false;
  }

  // The first entry whose whole name is the requested base name wins.
  ShoeboxEntry entry;
  for (;;) {
    if (readShoeboxEntry(archive, &entry) != ShoeboxEntryRead::Entry) {
      outName.clear();
      return false;
    }
    if (shoeboxNameMatches(entry.name, name)) break;
  }
  std::vector<unsigned char> stored;
  if (!readShoeboxBlock(archive, layout, entry, &stored)) {
    outName.clear();
    return false;
  }
  archive.close();

  UnpackedMember member = unpackShoeboxMember(stored);
  stored = {};
  if (toMemory) return deliverToMemory(*slot, member, outName);
  return deliverToFile(*slot, entry, member, outName);
}

bool resolveFileName(std::string& name) {
  if (name.empty()) return false;
  std::string resolved;
  if (!shoeboxLookup(memorySlot, name.c_str(), resolved, true)) return false;
  name = resolved;
  return true;
}

bool resolveFileName(RtString& name) {
  std::string text = name.c_str();
  if (!resolveFileName(text)) return false;
  name.assign(text.c_str());
  return true;
}

void setArchive(TextRef memoryArchiveRef, TextRef fileArchiveRef) {
  const char* memoryArchive = memoryArchiveRef;
  const char* fileArchive = fileArchiveRef;
  for (auto [slot, archive] : {std::pair{memorySlot, memoryArchive}, std::pair{fileSlot, fileArchive}}) {
    if (!slot) continue;
    slot->enabled = 1;
    releaseResult(*slot);
    slot->archiveName = archive ? archive : "";
  }
}

void createShoeboxSlots() {
  if (fileSlot || memorySlot) destroyShoeboxSlots();
  fileSlot = new ShoeboxSlot;
  memorySlot = new ShoeboxSlot;
  logLine("shoeboxing...\n");
  const std::string executable = platform::nativePath(platform::executablePath().c_str());
  setArchive(executable.c_str(), executable.c_str());
}

void destroyShoeboxSlots() {
  for (ShoeboxSlot** slot : {&fileSlot, &memorySlot}) {
    if (!*slot) continue;
    releaseResult(**slot);
    delete *slot;
    *slot = nullptr;
  }
}

}  // namespace mvn
