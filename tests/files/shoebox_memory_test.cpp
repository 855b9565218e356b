// Archive look-ups whose member blocks cannot be had in memory.
#include <cstdint>
#include <string>

#include "runtime/files/memory_name.h"
#include "tests/files/shoebox_fixture.h"
#include "tests/support/allocation_limit.h"

namespace mvn {
namespace {

using testarchive::buildArchive;
using testarchive::lzoBlock;
using testarchive::Mode;

TEST_F(ShoeboxTest, AStoredBlockThatCannotBeHadIsNotFound) {
  std::string bytes;  // noise, so the stored block is as large as the member
  uint32_t state = 2463534242u;
  for (int i = 0; i < 20000; ++i) {
    state ^= state << 13, state ^= state >> 17, state ^= state << 5;
    bytes.push_back(static_cast<char>(state));
  }
  useArchive(buildArchive({{"big.bin", lzoBlock(bytes)}}, Mode::Absolute));
  std::string name = "big.bin";
  bool found;
  {
    mvn::testing::AllocationLimit limit(8192);
    found = resolveFileName(name);
  }
  EXPECT_FALSE(found);
  ASSERT_EQ(name, "big.bin");
  ASSERT_TRUE(resolveFileName(name));  // with memory again the member arrives whole
  EXPECT_EQ(contentsOf(name), bytes);
}

}  // namespace
}  // namespace mvn
