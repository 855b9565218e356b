// Slots on a real context: padding and extents, round trips through packed
// pixels and the screen, collisions, slot numbers outside the table.
#include <climits>

#include "runtime/gfx2d/drawing/collision.h"
#include "tests/gfx2d/gl_fixture.h"

namespace mvn {
namespace {

using testing::GlDrawing;
using testing::kBlack;
using testing::kWhite;
using testing::rgba;

TEST_F(GlDrawing, ImagesArePaddedToPowersOfTwoWithTheirExtents) {
  const struct { int side, padded; } cases[] = {{8, 16}, {16, 16}, {17, 32}, {120, 128}, {360, 512}};
  for (const auto& c : cases) {
    makeSprite(20, c.side, 9, [](int, int) { return rgba(kWhite); });
    const SpriteSlot& s = r->spriteSlots[20];
    EXPECT_EQ(s.imageWidth, c.side);
    EXPECT_EQ(s.imageHeight, 9);
    EXPECT_EQ(s.textureWidth, c.padded);
    EXPECT_EQ(s.textureHeight, 16);
    EXPECT_EQ(s.uExtent, float(c.side) / float(c.padded));
    EXPECT_EQ(s.vExtent, 9.0f / 16.0f);
    EXPECT_NE(s.mipTexture, 0u);
    clearScreen(0);
    drawSprite(20, 0, 0);  // exactly the image, no padding
    int left, top, right, bottom;
    ASSERT_TRUE(litBox(0, 0, 400, 20, left, top, right, bottom));
    EXPECT_EQ(right, c.side - 1);
    EXPECT_EQ(bottom, 8);
  }
  int width, height;
  getSpriteSize(20, width, height);
  EXPECT_EQ(width, 360);
  EXPECT_EQ(spriteTextureId(20), r->spriteSlots[20].texture);
}

TEST_F(GlDrawing, MipCopyIsSquareDownToOneTexelAndFontsGetNearestFiltering) {
  makeSprite(21, 32, 16, [](int, int) { return rgba(kWhite); });
  glBindTexture(GL_TEXTURE_2D, r->spriteSlots[21].mipTexture);
  GLint width = 0, height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  EXPECT_EQ(width, 16);
  EXPECT_EQ(height, 16);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 4, GL_TEXTURE_WIDTH, &width);
  EXPECT_EQ(width, 1);

  makeSprite(firstFontSlot, 128, 64, [](int, int) { return rgba(kWhite); });
  EXPECT_EQ(r->spriteSlots[firstFontSlot].mipTexture, 0u);
  glBindTexture(GL_TEXTURE_2D, r->spriteSlots[firstFontSlot].texture);
  GLint filter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
  EXPECT_EQ(filter, GL_NEAREST);
  forgetBindings(*r);
}

TEST_F(GlDrawing, PackedPixelsRoundTripWithTheBottomRowFirstOnTheWayBack) {
  const std::vector<int32_t> pixels = {rgba(0x010203, 0), rgba(0x040506, 10), rgba(0x070809, 255),
                                       rgba(0x0A0B0C, 20), rgba(0x0D0E0F, 30), rgba(0x101112, 40)};
  ASSERT_EQ(memToSprite(pixels.data(), 6, 30, 3, 2), 1);
  std::vector<int32_t> back;
  ASSERT_EQ(spriteToMem(back, 30), 1);
  const std::vector<int32_t> bottomFirst = {pixels[3], pixels[4], pixels[5], pixels[0], pixels[1], pixels[2]};
  EXPECT_EQ(back, bottomFirst);

  // Wrong counts and sizes leave the slot as it was.
  const struct { int64_t count; int width, height; } bad[] = {{5, 3, 2}, {6, 6, 0}, {4, -2, -2}, {0, 0, 0}};
  for (const auto& b : bad) {
    EXPECT_EQ(memToSprite(pixels.data(), b.count, 30, b.width, b.height), 0) << b.width;
    EXPECT_EQ(r->spriteSlots[30].imageWidth, 3);
  }
  std::vector<int32_t> untouched = {7};
  EXPECT_EQ(spriteToMem(untouched, 31), 0);  // empty slot
  EXPECT_EQ(untouched, std::vector<int32_t>{7});
}

TEST_F(GlDrawing, ASlotIsOpaqueOnlyWhenEveryTexelOfItsTextureIs) {
  const struct {
    int width, height;
    uint32_t alphaAtCorner;  // alpha of the image's last pixel; the rest is 255
    bool opaque;
  } cases[] = {{16, 16, 255, true},  {32, 64, 255, true},  {16, 16, 254, false},
               {32, 16, 0, false},   {17, 16, 255, false},  // padding is transparent
               {16, 9, 255, false}};
  for (const auto& c : cases) {
    makeSprite(20, c.width, c.height, [&](int x, int y) {
      const bool corner = x == c.width - 1 && y == c.height - 1;
      return rgba(uint32_t(x * 7) | uint32_t(y * 5) << 8, corner ? c.alphaAtCorner : 255);
    });
    EXPECT_EQ(r->spriteSlots[20].opaque, c.opaque) << c.width << "x" << c.height << " " << c.alphaAtCorner;
  }
  freeSlot(*r, 20);
  EXPECT_FALSE(r->spriteSlots[20].opaque);
}

TEST_F(GlDrawing, GrabbedScreenBecomesAnOpaqueSprite) {
  makeSprite(40, 8, 8, [](int x, int y) { return rgba(uint32_t(x * 30) | uint32_t(y * 30) << 8); });
  setAnimFrameSize(40, 4, 4);
  drawSprite(40, 10, 10);
  grabSprite(41, 10, 10, 8, 8);
  EXPECT_EQ(r->spriteSlots[41].frameWidth, 0);
  std::vector<int32_t> original, grabbed;
  ASSERT_EQ(spriteToMem(original, 40), 1);
  ASSERT_EQ(spriteToMem(grabbed, 41), 1);
  for (size_t i = 0; i < original.size(); ++i) {
    EXPECT_EQ(grabbed[i], original[i] | int32_t(0xFF000000)) << i;
  }
  grabSprite(41, 0, 0, 0, 5);
  EXPECT_EQ(errorCode, 7);
}

TEST_F(GlDrawing, CollisionsTestOpaquePixelsOfBothImages) {
  // A: left half opaque, right half transparent. B: all opaque.
  makeSprite(50, 8, 8, [](int x, int) { return rgba(kWhite, x < 4 ? 255 : 0); });
  makeSprite(51, 8, 8, [](int, int) { return rgba(kWhite); });
  const struct { int xB, yB, expected; } cases[] = {
      {3, 0, 1},   // column 3 of A is opaque
      {4, 0, 0},   // only A's transparent half overlaps
      {8, 0, 0},   // touching edges do not overlap
      {-7, 7, 1},  // one corner pixel
      {0, 8, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(spriteCollision(50, 0, 0, 51, c.xB, c.yB), c.expected) << c.xB << "," << c.yB;
  }
  EXPECT_NE(r->alphaMasks[50], nullptr);
  freeSlot(*r, 50);
  EXPECT_EQ(r->alphaMasks[50], nullptr);
  EXPECT_EQ(spriteCollision(50, 0, 0, 51, 0, 0), 0);  // empty slot

  // Frames: three 4 x 4 frames in a row, only frame 1 opaque.
  makeSprite(52, 12, 4, [](int x, int) { return rgba(kWhite, x / 4 == 1 ? 255 : 0); });
  setAnimFrameSize(52, 4, 4);
  const struct { int frame, expected; } frames[] = {{0, 0}, {1, 1}, {2, 0}, {4, 0}, {-2, 0}, {INT_MAX, 0}};
  for (const auto& f : frames) {
    EXPECT_EQ(animCollision(52, f.frame, 100, 100, 51, 0, 102, 102), f.expected) << f.frame;
  }
  EXPECT_EQ(animCollision(52, 1, 100, 100, 52, 1, 103, 103), 1);
  EXPECT_EQ(animCollision(52, 1, 100, 100, 52, 1, 104, 100), 0);
}

TEST_F(GlDrawing, SlotNumbersOutsideTheTableDoNothing) {
  const int32_t pixel = rgba(kWhite);
  for (int slot : {-1, 65537, INT_MAX, INT_MIN}) {
    errorCode = 0;
    EXPECT_EQ(memToSprite(&pixel, 1, slot, 1, 1), 0);
    EXPECT_EQ(errorCode, 7);
    errorCode = 0;
    grabSprite(slot, 0, 0, 4, 4);
    EXPECT_EQ(errorCode, 7);
    freeSlot(*r, slot);
    setAnimFrameSize(slot, 4, 4);
    int w = 1, h = 1;
    getSpriteSize(slot, w, h);
    EXPECT_EQ(w + h, 0);
    EXPECT_EQ(spriteTextureId(slot), 0u);
    std::vector<int32_t> pixels;
    EXPECT_EQ(spriteToMem(pixels, slot), 0);
    EXPECT_EQ(spriteCollision(slot, 0, 0, slot, 0, 0), 0);
  }
  EXPECT_EQ(memToSprite(&pixel, 1, 65536, 1, 1), 1);  // the last slot is a slot
}

TEST_F(GlDrawing, FrameSizesAreSetOnlyOnLoadedSlotsAndWithinRange) {
  setAnimFrameSize(60, 8, 8);
  EXPECT_EQ(r->spriteSlots[60].frameWidth, 0);
  makeSprite(60, 16, 16, [](int, int) { return rgba(kWhite); });
  setAnimFrameSize(60, 8, 4);
  EXPECT_EQ(r->spriteSlots[60].frameWidth, 8);
  EXPECT_EQ(r->spriteSlots[60].frameHeight, 4);
  errorCode = 0;
  setAnimFrameSize(60, -8, 4);
  EXPECT_EQ(errorCode, 7);
  setAnimFrameSize(60, 40000, 4);
  EXPECT_EQ(r->spriteSlots[60].frameWidth, 8);
}

}  // namespace
}  // namespace mvn
