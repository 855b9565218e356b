#include "runtime/files/memory_name.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace mvn {
namespace {

TEST(MemoryName, HasTheFixedLayout) {
  const auto* base = reinterpret_cast<const void*>(uintptr_t{0x1234abcd});
  EXPECT_EQ(makeMemoryName(base, 0x1f), "mem://      1f.1234abcd");
  EXPECT_EQ(makeMemoryName(reinterpret_cast<const void*>(uintptr_t{0xbeef}), 0),
            "mem://       0.    beef");
#if UINTPTR_MAX > 0xffffffffu  // addresses wider than 32 bits (not on wasm32)
  const auto* wide = reinterpret_cast<const void*>(uintptr_t{0x7ffd12345678});
  EXPECT_EQ(makeMemoryName(wide, 0xffffffffu), "mem://ffffffff.7ffd12345678");
  MemoryName parsed;
  ASSERT_TRUE(parseMemoryName(makeMemoryName(wide, 0xffffffffu).c_str(), &parsed));
  EXPECT_EQ(parsed.length, 0xffffffffu);
  EXPECT_EQ(parsed.address, uintptr_t{0x7ffd12345678});
#endif
}

TEST(MemoryName, ParsesOnlyWellFormedNames) {
  struct Case {
    const char* name;
    bool ok;
    uint32_t length;
    uintptr_t address;
  };
  const Case cases[] = {
      {"mem://      10.    1000", true, 0x10, 0x1000},
      {"mem://ABCDEF01.DEADBEEF", true, 0xabcdef01, 0xdeadbeef},
      {"mem://       1.1", true, 1, 1},
      {"mem://      10.", false, 0, 0},                      // no address
      {"mem://        .    1000", false, 0, 0},              // no length
      {"mem://      10,    1000", false, 0, 0},              // wrong separator
      {"mem://     1 0.    1000", false, 0, 0},              // space inside a number
      {"mem://      10.    10g0", false, 0, 0},              // not hexadecimal
      {"mem://      10.    1000 ", false, 0, 0},             // trailing text
      {"mem://10.1000", false, 0, 0},                        // dot not at its place
      {"mem://      -1.    1000", false, 0, 0},
      {"mem://      10.11112222333344445", false, 0, 0},     // address too wide
      {"MEM://      10.    1000", false, 0, 0},              // prefix is case-sensitive
      {"mem:/      10.    1000", false, 0, 0},
      {"", false, 0, 0},
      {nullptr, false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name ? c.name : "(null)");
    MemoryName parsed;
    ASSERT_EQ(parseMemoryName(c.name, &parsed), c.ok);
    if (c.ok) {
      EXPECT_EQ(parsed.length, c.length);
      EXPECT_EQ(parsed.address, c.address);
    }
  }
}

TEST(MemoryName, RegistryMatchesAddressAndLength) {
  int a = 0, b = 0;
  registerMemoryBlock(&a, 4);
  registerMemoryBlock(&b, 0);
  EXPECT_TRUE(isLiveMemoryBlock(&a, 4));
  EXPECT_FALSE(isLiveMemoryBlock(&a, 3));
  EXPECT_TRUE(isLiveMemoryBlock(&b, 0));
  unregisterMemoryBlock(&a);
  EXPECT_FALSE(isLiveMemoryBlock(&a, 4));
  EXPECT_TRUE(isLiveMemoryBlock(&b, 0));
  unregisterMemoryBlock(&b);
  registerMemoryBlock(nullptr, 0);
  EXPECT_FALSE(isLiveMemoryBlock(nullptr, 0));
}

}  // namespace
}  // namespace mvn
