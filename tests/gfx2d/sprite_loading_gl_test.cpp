// Loading slots from files and saving them: the transparent colour and its
// fill pass, failures, bump textures, backgrounds, saved sprites and screens.
#include <cstdio>
#include <string>

#include "runtime/gfx2d/images/decoded_image.h"
#include "runtime/gfx2d/images/image_writer.h"
#include "runtime/gfx2d/sprites/sprite_loading.h"
#include "tests/gfx2d/gl_fixture.h"

namespace mvn {
namespace {

using testing::GlDrawing;
using testing::kBlack;
using testing::kKey;
using testing::kWhite;
using testing::rgba;

std::string tempFile(const char* name) { return std::string(MORVANE_BINARY_DIR) + "/tmp/" + name; }

// Writes a file of the format its name asks for; pixel(x, y) gives RGBA bytes packed.
void writeImage(const std::string& name, int width, int height, const std::function<int32_t(int, int)>& pixel) {
  DecodedImage image;
  ASSERT_TRUE(image.prepare(width, height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t p = uint32_t(pixel(x, y));
      unsigned char* out = image.row(y) + x * 4;
      out[0] = uint8_t(p), out[1] = uint8_t(p >> 8), out[2] = uint8_t(p >> 16), out[3] = uint8_t(p >> 24);
    }
  }
  ASSERT_TRUE(saveImage(name.c_str(), image));
}

// The slot's pixel (x, y) counted from the image's top.
uint32_t slotPixel(int slot, int x, int y) {
  std::vector<int32_t> pixels;
  int width, height;
  getSpriteSize(slot, width, height);
  if (spriteToMem(pixels, slot) != 1) return 0xDEADBEEF;
  return uint32_t(pixels[size_t(height - 1 - y) * width + x]);
}

TEST_F(GlDrawing, KeyedPixelsBecomeTransparentAndTakeTheirNeighboursColour) {
  // 4 x 4 BMP: the key colour everywhere but two inner pixels.
  const std::string bmp = tempFile("keyed.bmp");
  writeImage(bmp, 4, 4, [](int x, int y) {
    if (x == 1 && y == 1) return rgba(0x1E140A);  // red 10, green 20, blue 30
    if (x == 2 && y == 1) return rgba(0x3C2814);
    return rgba(kKey);
  });
  loadSprite(bmp.c_str(), 70);
  ASSERT_EQ(errorCode, 0);
  EXPECT_EQ(slotPixel(70, 1, 1), 0xFF1E140Au);     // opaque pixels keep their colour
  EXPECT_EQ(slotPixel(70, 1, 0), 0x002D1E0Fu);     // mean of both, alpha 0
  EXPECT_EQ(slotPixel(70, 0, 0), 0x001E140Au);
  EXPECT_EQ(slotPixel(70, 0, 3), 0x00000000u);     // no opaque neighbour inside: black

  // An RGBA PNG keeps its own alpha even where the colour is the key.
  const std::string png = tempFile("keyed_rgba.png");
  writeImage(png, 4, 4, [](int, int) { return rgba(kKey, 200); });
  loadSprite(png.c_str(), 71);
  EXPECT_EQ(slotPixel(71, 2, 2), uint32_t(rgba(kKey, 200)));

  // Another key: loads made afterwards use it, fonts too.
  setTransparency(0);
  EXPECT_EQ(r->fontColourKey, 0);
  writeImage(bmp, 4, 4, [](int x, int) { return rgba(x < 2 ? kBlack : kWhite); });
  loadSprite(bmp.c_str(), 72);
  EXPECT_EQ(slotPixel(72, 0, 0) >> 24, 0u);
  EXPECT_EQ(slotPixel(72, 3, 0) >> 24, 255u);
  EXPECT_EQ(slotPixel(70, 1, 1), 0xFF1E140Au);  // images already loaded keep their alpha
  std::remove(bmp.c_str());
  std::remove(png.c_str());
}

TEST_F(GlDrawing, FailedLoadsLeaveTheSlotEmptyWithTheirErrorCode) {
  const std::string bmp = tempFile("anim.bmp");
  writeImage(bmp, 24, 16, [](int, int) { return rgba(kWhite); });
  loadAnim(bmp.c_str(), 80, 8, 8);
  EXPECT_EQ(r->spriteSlots[80].frameWidth, 8);

  loadAnim(tempFile("missing.png").c_str(), 80, 4, 4);
  EXPECT_EQ(errorCode, 3);
  int width = 1, height = 1;
  getSpriteSize(80, width, height);
  EXPECT_EQ(width + height, 0);
  EXPECT_EQ(r->spriteSlots[80].frameWidth, 8);  // a failed load keeps the frame size

  r->renderTargets[3].slot = 80;  // a render target drawing into the slot stays attached
  loadAnim(bmp.c_str(), 80, 8, 8);
  EXPECT_EQ(r->renderTargets[3].slot, 80);
  r->renderTargets[3].slot = -1;

  loadSprite(bmp.c_str(), 81);
  loadSprite("", 81);
  EXPECT_EQ(errorCode, 0);
  EXPECT_EQ(r->spriteSlots[81].imageWidth, 0);

  loadBumpTexture("", 82);
  EXPECT_EQ(errorCode, 3);

  for (int slot : {-1, 65537}) {
    loadSprite(bmp.c_str(), slot);
    EXPECT_EQ(errorCode, 7);
    loadAnim(bmp.c_str(), slot, 8, 8);
    EXPECT_EQ(errorCode, 7);
  }
  std::remove(bmp.c_str());
}

TEST_F(GlDrawing, BumpTexturesHoldTheNormalMap) {
  const std::string png = tempFile("bump.png");
  writeImage(png, 8, 8, [](int, int) { return rgba(0x808080); });
  loadBumpTexture(png.c_str(), 83);
  ASSERT_EQ(errorCode, 0);
  EXPECT_EQ(slotPixel(83, 3, 3), 0xFFFF7F7Fu);  // flat: straight up
  std::remove(png.c_str());
}

TEST_F(GlDrawing, ImagesLoadIntoPackedPixelsTopRowFirst) {
  const std::string png = tempFile("mem.png");
  writeImage(png, 3, 2, [](int x, int y) { return rgba(uint32_t(x + 10 * y + 1), 255); });
  std::vector<int32_t> pixels;
  int width = 0, height = 0;
  ASSERT_EQ(loadImageToMem(png.c_str(), width, height, pixels), 1);
  EXPECT_EQ(width, 3);
  EXPECT_EQ(height, 2);
  EXPECT_EQ(pixels[0], rgba(1));
  EXPECT_EQ(pixels[5], rgba(13));
  EXPECT_EQ(loadImageToMem(tempFile("missing.png").c_str(), width, height, pixels), 0);
  EXPECT_EQ(errorCode, 3);
  std::remove(png.c_str());
}

TEST_F(GlDrawing, SavedSpritesAndScreensReadBackUpright) {
  makeSprite(84, 5, 3, [](int x, int y) { return rgba(uint32_t(40 * x) | uint32_t(60 * y) << 8); });
  const std::string png = tempFile("saved.png");
  saveSprite(png.c_str(), 84);
  ASSERT_EQ(errorCode, 0);
  std::vector<int32_t> pixels;
  int width, height;
  ASSERT_EQ(loadImageToMem(png.c_str(), width, height, pixels), 1);
  ASSERT_EQ(width, 5);
  EXPECT_EQ(pixels[size_t(2 * 5 + 4)], rgba(160 | 120 << 8));

  saveSprite(png.c_str(), 85);  // empty slot
  EXPECT_EQ(errorCode, 3);
  errorCode = 0;

  drawRect(0, 0, 2, 1, 0x0000FF);
  const std::string bmp = tempFile("screen.bmp");
  saveScreen(bmp.c_str());
  ASSERT_EQ(errorCode, 0);
  ASSERT_EQ(loadImageToMem(bmp.c_str(), width, height, pixels), 1);
  EXPECT_EQ(width, 800);
  EXPECT_EQ(height, 480);
  EXPECT_EQ(pixels[1], rgba(0x0000FF));
  EXPECT_EQ(pixels[2], rgba(kBlack));
  std::remove(png.c_str());
  std::remove(bmp.c_str());
}

TEST_F(GlDrawing, BackgroundsComeFromFilesWithoutKey) {
  const std::string bmp = tempFile("background.bmp");
  writeImage(bmp, 20, 10, [](int x, int) { return rgba(x < 10 ? kKey : 0x00FF00); });
  loadBackground(bmp.c_str());
  EXPECT_EQ(colourAt(1, 1), uint32_t(kKey));  // no key: drawn as it is, at once
  loadBackground(bmp.c_str());  // the first background's slot is given back
  int loaded = 0;
  for (int slot = 0; slot <= lastProgramSlot; ++slot) loaded += r->spriteSlots[slot].imageWidth > 0;
  EXPECT_EQ(loaded, 1);
  resetDrawingState(*r);
  EXPECT_EQ(colourAt(15, 5), 0x00FF00u);

  loadBackground(tempFile("missing.png").c_str());
  EXPECT_EQ(errorCode, 3);
  EXPECT_EQ(r->backgroundSlots[0], -1);
  EXPECT_EQ(colourAt(1, 1), kBlack);
  std::remove(bmp.c_str());
}

}  // namespace
}  // namespace mvn
