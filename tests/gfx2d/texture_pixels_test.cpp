// Pixel passes of the sprite store and frame geometry, without GL.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/gfx2d/drawing/drawing.h"
#include "runtime/gfx2d/sprites/sprite_slot.h"
#include "runtime/gfx2d/sprites/texture_pixels.h"

namespace mvn {
namespace {

using Pixels = std::vector<uint8_t>;

uint8_t* at(Pixels& p, int width, int x, int y) { return &p[(size_t(y) * width + x) * 4]; }

void put(Pixels& p, int width, int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  uint8_t* q = at(p, width, x, y);
  q[0] = r, q[1] = g, q[2] = b, q[3] = a;
}

TEST(PaddedSize, SmallestPowerOfTwoNotBelowTheSideButAtLeast16) {
  const struct { int side, padded; } cases[] = {
      {1, 16}, {8, 16}, {16, 16}, {17, 32}, {120, 128}, {360, 512}, {512, 512}, {16384, 16384}};
  for (const auto& c : cases) EXPECT_EQ(paddedSize(c.side), c.padded) << c.side;
}

TEST(FillTransparentTexels, TakesTheMeanOfOpaqueInnerNeighboursOnly) {
  const int w = 4, h = 4;
  Pixels p(w * h * 4, 0);
  put(p, w, 1, 1, 10, 20, 30, 255);
  put(p, w, 2, 1, 20, 40, 60, 255);
  put(p, w, 0, 0, 255, 0, 128, 0);   // key colour, transparent
  put(p, w, 3, 3, 99, 99, 99, 0);    // no opaque neighbour inside the image
  put(p, w, 3, 1, 200, 200, 200, 255);  // on the border: never a neighbour
  fillTransparentTexels(p.data(), w, h);

  const struct { int x, y; uint8_t r, g, b; } expected[] = {
      {0, 0, 10, 20, 30},  // only (1,1) lies inside
      {1, 0, 15, 30, 45},  // (1,1) and (2,1)
      {3, 0, 20, 40, 60},  // (2,1); (3,1) is on the border
      {1, 2, 15, 30, 45},
      {2, 2, 15, 30, 45},  // (1,2), filled before, has alpha 0 and does not count
      {3, 3, 0, 0, 0},
  };
  for (const auto& e : expected) {
    const uint8_t* q = at(p, w, e.x, e.y);
    EXPECT_EQ(q[0], e.r) << e.x << "," << e.y;
    EXPECT_EQ(q[1], e.g) << e.x << "," << e.y;
    EXPECT_EQ(q[2], e.b) << e.x << "," << e.y;
    EXPECT_EQ(q[3], 0);
  }
  EXPECT_EQ(at(p, w, 1, 1)[0], 10);  // opaque pixels untouched
}

TEST(MakeNormalMap, FlatIsStraightUpAndARidgeTiltsItsNeighbours) {
  const int w = 16, h = 16;
  Pixels p(w * h * 4, 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) put(p, w, x, y, 1, 2, x == 5 || x == 15 ? 255 : 0, 77);
  }
  makeNormalMap(p.data(), w, h);
  const struct { int x; uint8_t r, g, b; } expected[] = {
      {10, 127, 127, 255},  // flat
      {4, 3, 127, 158},     // ridge to the right
      {6, 251, 127, 158},   // ridge to the left
      {0, 251, 127, 158},   // column 15 is its left neighbour across the edge
  };
  for (const auto& e : expected) {
    for (int y : {0, 7, 15}) {
      const uint8_t* q = at(p, w, e.x, y);
      EXPECT_EQ(q[0], e.r) << e.x;
      EXPECT_EQ(q[1], e.g) << e.x;
      EXPECT_EQ(q[2], e.b) << e.x;
      EXPECT_EQ(q[3], 77);
    }
  }
}

TEST(CopyRegionFlipped, PutsTheImageUpsideDownAtTheTextureOrigin) {
  const int iw = 3, ih = 2;
  Pixels image(iw * ih * 4);
  for (int i = 0; i < iw * ih * 4; ++i) image[i] = uint8_t(i);
  Pixels texture(16 * 16 * 4, 0);
  copyRegionFlipped(image.data(), iw, ih, 0, 0, iw, ih, texture.data(), 16, 16);
  EXPECT_EQ(at(texture, 16, 0, 1)[0], at(image, iw, 0, 0)[0]);  // top row lands in row 1
  EXPECT_EQ(at(texture, 16, 2, 0)[3], at(image, iw, 2, 1)[3]);  // bottom row in row 0
  EXPECT_EQ(at(texture, 16, 3, 0)[3], 0);                       // padding stays clear
  EXPECT_EQ(at(texture, 16, 0, 2)[3], 0);

  Pixels region(16 * 16 * 4, 0);
  copyRegionFlipped(image.data(), iw, ih, 1, 1, 2, 1, region.data(), 16, 16);
  EXPECT_EQ(at(region, 16, 0, 0)[0], at(image, iw, 1, 1)[0]);
  EXPECT_EQ(at(region, 16, 1, 0)[0], at(image, iw, 2, 1)[0]);
  EXPECT_EQ(at(region, 16, 2, 0)[3], 0);
}

TEST(MipChain, SquaresThenReducesWithTheWeightedKernel) {
  // 8 x 4: one horizontal halving to 4 x 4, then 2 x 2 and 1 x 1.
  const int w = 8, h = 4;
  Pixels p(w * h * 4, 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) put(p, w, x, y, uint8_t(10 * x + y), 0, 0, 255);
  }
  std::vector<std::pair<int, int>> levels;
  std::vector<Pixels> copies;
  buildMipChain(p.data(), w, h, [&](int level, int side, const uint8_t* pixels) {
    levels.push_back({level, side});
    copies.emplace_back(pixels, pixels + side * side * 4);
  });
  ASSERT_EQ(levels, (std::vector<std::pair<int, int>>{{0, 4}, {1, 2}, {2, 1}}));
  // Level 0: each texel is the truncated mean of the pair (2x, 2x + 1) of its row.
  auto red = [&](int level, int x, int y) { return copies[level][(y * levels[level].second + x) * 4]; };
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(red(0, x, y), (20 * x + y + 20 * x + 10 + y) >> 1);
  }
  auto p0 = [&](int x, int y) { return int(red(0, x, y)); };
  EXPECT_EQ(red(1, 0, 0), (4 * p0(0, 0) + 2 * p0(1, 0) + 2 * p0(1, 1) + p0(0, 1)) / 9);
  EXPECT_EQ(red(1, 1, 0), (2 * p0(2, 0) + p0(2, 1)) / 3);
  EXPECT_EQ(red(1, 0, 1), (2 * p0(0, 2) + p0(1, 2)) / 3);
  EXPECT_EQ(red(1, 1, 1), p0(2, 2));
  EXPECT_EQ(red(2, 0, 0), red(1, 0, 0));
  EXPECT_EQ(copies[2][3], 255);

  // 16 x 64: vertical halvings down to 16 x 16, then five more levels.
  Pixels tall(16 * 64 * 4, 200);
  int count = 0, last = 0;
  buildMipChain(tall.data(), 16, 64, [&](int level, int side, const uint8_t* pixels) {
    ++count;
    last = side;
    EXPECT_EQ(pixels[0], 200) << level;
  });
  EXPECT_EQ(count, 5);
  EXPECT_EQ(last, 1);
}

TEST(FramePosition, FramesRunLeftToRightThenDown) {
  const struct { int imageWidth, frameWidth, frameHeight, frame, column, row; } cases[] = {
      {360, 120, 120, 4, 1, 1},  {360, 120, 120, 8, 2, 2}, {360, 120, 120, 5, 2, 1},
      {60, 60, 60, 3, 0, 3},     {50, 60, 60, 3, 3, 0},    {360, 120, 120, -1, -1, 0},
  };
  for (const auto& c : cases) {
    SpriteSlot s;
    s.imageWidth = int16_t(c.imageWidth);
    s.imageHeight = 360;
    s.frameWidth = int16_t(c.frameWidth);
    s.frameHeight = int16_t(c.frameHeight);
    int column = -9, row = -9;
    ASSERT_TRUE(framePosition(s, c.frame, column, row)) << c.frame;
    EXPECT_EQ(column, c.column) << c.imageWidth << " frame " << c.frame;
    EXPECT_EQ(row, c.row) << c.imageWidth << " frame " << c.frame;
  }
  SpriteSlot notAnimation;
  notAnimation.imageWidth = 100;
  int column, row;
  EXPECT_FALSE(framePosition(notAnimation, 0, column, row));
}

}  // namespace
}  // namespace mvn
