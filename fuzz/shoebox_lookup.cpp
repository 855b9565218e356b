// Arbitrary bytes as a shoebox archive, on disk and held in memory, looked up
// through both slots. Input: one byte n, n bytes of requested name (at most
// 31), then the archive.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "runtime/files/memory_name.h"
#include "runtime/files/rt_file.h"
#include "runtime/files/shoebox.h"

namespace {

std::string scratchDir;
std::string archivePath;

void removeScratch() {
  mvn::destroyShoeboxSlots();
  std::error_code ignored;
  std::filesystem::remove_all(scratchDir, ignored);
}

void readAll(const std::string& name) {
  mvn::RtFile f;
  if (!f.openRead(name.c_str())) return;
  unsigned char buffer[4096];
  while (f.position < f.getSize() && f.read(buffer, sizeof buffer)) {
  }
}

void lookUpEverywhere(const char* request) {
  std::string name = request;
  if (mvn::resolveFileName(name)) readAll(name);
  std::string out;
  if (mvn::shoeboxLookup(mvn::fileSlot, request, out, false)) readAll(out);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char dir[] = "/tmp/fuzz_shoebox_XXXXXX";
  if (!mkdtemp(dir)) abort();
  setenv("TMPDIR", dir, 1);  // temporary members and the log stay here
  scratchDir = dir;
  archivePath = scratchDir + "/archive.sbx";
  mvn::createShoeboxSlots();
  atexit(removeScratch);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const size_t nameLength = data[0] % 32 < size - 1 ? data[0] % 32 : size - 1;
  std::string request(reinterpret_cast<const char*>(data + 1), nameLength);
  request = request.c_str();  // up to the first zero byte
  if (request.empty() || mvn::isMemoryName(request.c_str())) request = "m";
  const uint8_t* archive = data + 1 + nameLength;
  const size_t archiveSize = size - 1 - nameLength;

  // On disk.
  mvn::RtFile out;
  if (out.openWrite(archivePath.c_str())) {
    out.write(archive, static_cast<int64_t>(archiveSize));
    out.close();
    mvn::setArchive(archivePath.c_str(), archivePath.c_str());
    lookUpEverywhere(request.c_str());
  }

  // In memory, in a block of exactly the archive's size.
  unsigned char* block = new unsigned char[archiveSize ? archiveSize : 1];
  if (archiveSize) std::memcpy(block, archive, archiveSize);
  mvn::registerMemoryBlock(block, static_cast<uint32_t>(archiveSize));
  const std::string name = mvn::makeMemoryName(block, static_cast<uint32_t>(archiveSize));
  mvn::setArchive(name.c_str(), name.c_str());
  lookUpEverywhere(request.c_str());
  mvn::setArchive("", "");  // releases what was delivered before the block goes
  mvn::unregisterMemoryBlock(block);
  delete[] block;
  return 0;
}
