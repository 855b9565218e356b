// Arbitrary text as an in-memory file name: parsing never reads past the text,
// a parsed name prints back to itself when it was written in the standard
// form, and only a live registered block ever opens.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "runtime/files/memory_name.h"
#include "runtime/files/rt_file.h"

namespace {
unsigned char liveBlock[64];
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const char* name = text.c_str();
  mvn::MemoryName parsed;
  const bool ok = mvn::parseMemoryName(name, &parsed);
  if (ok && !mvn::isMemoryName(name)) std::abort();
  if (mvn::isMemoryName(name) && !mvn::fileExists(name)) std::abort();
  if (ok) {
    const std::string again =
        mvn::makeMemoryName(reinterpret_cast<const void*>(parsed.address), parsed.length);
    mvn::MemoryName reparsed;
    if (!mvn::parseMemoryName(again.c_str(), &reparsed) || reparsed.length != parsed.length ||
        reparsed.address != parsed.address) {
      std::abort();
    }
  }

  mvn::registerMemoryBlock(liveBlock, sizeof liveBlock);
  mvn::RtFile f;
  const bool opened = mvn::isMemoryName(name) && f.openRead(name);
  const bool designatesBlock = ok && parsed.address == reinterpret_cast<uintptr_t>(liveBlock) &&
                               parsed.length == sizeof liveBlock;
  if (opened != designatesBlock) std::abort();
  if (opened) {
    unsigned char copy[80];
    f.seek(size % 100);
    f.read(copy, sizeof copy);
  }
  f.close();
  mvn::unregisterMemoryBlock(liveBlock);
  return 0;
}
