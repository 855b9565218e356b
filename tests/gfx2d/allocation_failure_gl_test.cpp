// Commands whose buffers are sized by the program or a file, run while such a
// buffer cannot be had: each fails with its error code and changes nothing.
#include <cstdio>
#include <string>
#include <vector>

#include "runtime/gfx2d/images/decoded_image.h"
#include "runtime/gfx2d/images/image_writer.h"
#include "runtime/gfx2d/sprites/sprite_loading.h"
#include "runtime/gfx2d/sprites/texture_pixels.h"
#include "tests/gfx2d/gl_fixture.h"
#include "tests/support/allocation_limit.h"

namespace mvn::testing {
namespace {

TEST(NormalMap, WithoutWorkingMemoryTheBufferStaysAsItWas) {
  std::vector<uint8_t> pixels(64 * 64 * 4);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(i * 7);
  const std::vector<uint8_t> before = pixels;
  bool made;
  {
    AllocationLimit limit(1024);
    made = makeNormalMap(pixels.data(), 64, 64);
  }
  EXPECT_FALSE(made);
  EXPECT_EQ(pixels, before);
  EXPECT_TRUE(makeNormalMap(pixels.data(), 64, 64));
  EXPECT_NE(pixels, before);
}

TEST_F(GlDrawing, ReadBacksAndGrabsWithoutMemoryFailWithCode7) {
  makeSprite(90, 64, 64, [](int, int) { return rgba(kWhite); });
  makeSprite(91, 8, 8, [](int, int) { return rgba(0x0000FF); });
  std::vector<int32_t> pixels{1, 2, 3};
  int read;
  {
    AllocationLimit limit(4096);
    read = spriteToMem(pixels, 90);
  }
  EXPECT_EQ(read, 0);
  EXPECT_EQ(errorCode, 7);
  EXPECT_EQ(pixels, (std::vector<int32_t>{1, 2, 3}));

  errorCode = 0;
  {
    AllocationLimit limit(4096);
    grabSprite(91, 0, 0, 64, 64);
  }
  EXPECT_EQ(errorCode, 7);
  int width = 0, height = 0;
  getSpriteSize(91, width, height);  // the slot keeps its image
  EXPECT_EQ(width, 8);
  EXPECT_EQ(height, 8);
  ASSERT_EQ(spriteToMem(pixels, 91), 1);
  EXPECT_EQ(pixels[0], rgba(0x0000FF));
}

TEST_F(GlDrawing, ImageToMemoryWithoutMemoryFailsAsALoad) {
  const std::string png = std::string(MORVANE_BINARY_DIR) + "/tmp/allocation.png";
  DecodedImage image;
  ASSERT_TRUE(image.prepare(64, 64));
  for (int y = 0; y < 64; ++y) std::fill_n(image.row(y), 64 * 4, uint8_t(200));
  ASSERT_TRUE(saveImage(png.c_str(), image));
  std::vector<int32_t> pixels{1, 2, 3};
  int width = -1, height = -1, loaded;
  {
    AllocationLimit limit(8192);
    loaded = loadImageToMem(png.c_str(), width, height, pixels);
  }
  EXPECT_EQ(loaded, 0);
  EXPECT_EQ(errorCode, 3);
  EXPECT_EQ(width, -1);
  EXPECT_EQ(height, -1);
  EXPECT_EQ(pixels, (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(loadImageToMem(png.c_str(), width, height, pixels), 1);
  EXPECT_EQ(width, 64);
  std::remove(png.c_str());
}

}  // namespace
}  // namespace mvn::testing
