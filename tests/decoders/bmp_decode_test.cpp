#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "runtime/gfx2d/images/decode_bmp.h"
#include "tests/decoders/image_test_support.h"

namespace mvn::test {
namespace {

constexpr int32_t kKey = 0x8000FF;  // red 255, green 0, blue 128

struct CorpusCase {
  const char* file;
  const char* source;
};

class BmpCorpus : public ::testing::TestWithParam<CorpusCase> {};

// Files written by another tool decode to their source picture exactly, with
// and without the colour key.
TEST_P(BmpCorpus, DecodesToTheSourcePicture) {
  const Picture source = readNetpbm(corpusPath(GetParam().source));
  DecodedImage image;
  ASSERT_TRUE(decodeBmp(image, corpusPath(GetParam().file).c_str(), kNoColourKey));
  EXPECT_EQ(image.alphaFromFile, 0);
  EXPECT_TRUE(samePicture(source, pictureOf(image)));

  ASSERT_TRUE(decodeBmp(image, corpusPath(GetParam().file).c_str(), kKey));
  EXPECT_TRUE(samePicture(withKey(source, kKey), pictureOf(image)));
}

INSTANTIATE_TEST_SUITE_P(
    Variants, BmpCorpus,
    ::testing::Values(CorpusCase{"bmp_24_info.bmp", "src_24colours.ppm"},
                      CorpusCase{"bmp_24_core.bmp", "src_24colours.ppm"},
                      CorpusCase{"bmp_24_v5.bmp", "src_24colours.ppm"},
                      CorpusCase{"bmp_32_bitfields.bmp", "src_24colours.ppm"},
                      CorpusCase{"bmp_8_palette.bmp", "src_24colours.ppm"},
                      CorpusCase{"bmp_4_palette.bmp", "src_15colours.ppm"},
                      CorpusCase{"bmp_4_core_palette.bmp", "src_15colours.ppm"},
                      CorpusCase{"bmp_1_palette.bmp", "src_bilevel.ppm"},
                      CorpusCase{"bmp_16_555.bmp", "src_primaries.ppm"},
                      CorpusCase{"bmp_16_565.bmp", "src_primaries.ppm"}));

// ---- files written byte by byte ----

void put(Bytes& b, size_t at, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

struct BmpFields {
  uint32_t headerSize = 40;
  int32_t width = 1;
  int32_t height = 1;
  uint16_t bitsPerPixel = 24;
  uint32_t compression = 0;
  Bytes masks;    // placed after the first 40 header bytes
  Bytes palette;  // between the headers and the pixel data
  Bytes pixels;   // rows as stored
  int64_t dataOffset = -1;  // -1: directly after the palette
};

Bytes buildBmp(const BmpFields& s) {
  const size_t maskBytes = s.headerSize == 40 ? s.masks.size() : 0;
  const size_t paletteAt = 14 + s.headerSize + maskBytes;
  const size_t dataAt = paletteAt + s.palette.size();
  Bytes b(dataAt);
  b[0] = 'B';
  b[1] = 'M';
  put(b, 10, uint32_t(s.dataOffset < 0 ? int64_t(dataAt) : s.dataOffset), 4);
  put(b, 14, s.headerSize, 4);
  if (s.headerSize == 12) {
    put(b, 18, uint32_t(s.width), 2);
    put(b, 20, uint32_t(s.height), 2);
    put(b, 22, 1, 2);
    put(b, 24, s.bitsPerPixel, 2);
  } else {
    put(b, 18, uint32_t(s.width), 4);
    put(b, 22, uint32_t(s.height), 4);
    put(b, 26, 1, 2);
    put(b, 28, s.bitsPerPixel, 2);
    put(b, 30, s.compression, 4);
    std::copy(s.masks.begin(), s.masks.end(), b.begin() + 54);
  }
  std::copy(s.palette.begin(), s.palette.end(), b.begin() + long(paletteAt));
  b.insert(b.end(), s.pixels.begin(), s.pixels.end());
  put(b, 2, uint32_t(b.size()), 4);
  return b;
}

Bytes masks(uint32_t red, uint32_t green, uint32_t blue) {
  Bytes m(12);
  put(m, 0, red, 4);
  put(m, 4, green, 4);
  put(m, 8, blue, 4);
  return m;
}

bool decodeBytes(DecodedImage& image, const Bytes& bytes, int32_t key = kNoColourKey) {
  const std::string path = tempPath(".bmp");
  writeBytes(path, bytes);
  return decodeBmp(image, path.c_str(), key);
}

struct PixelCase {
  const char* what;
  BmpFields fields;
  std::vector<std::array<int, 4>> expected;  // the first row, left to right
};

class BmpPixels : public ::testing::TestWithParam<PixelCase> {};

TEST_P(BmpPixels, FirstRowDecodesAsExpected) {
  DecodedImage image;
  ASSERT_TRUE(decodeBytes(image, buildBmp(GetParam().fields), kKey)) << GetParam().what;
  ASSERT_EQ(size_t(image.width), GetParam().expected.size());
  for (int x = 0; x < image.width; ++x) {
    const unsigned char* px = image.row(0) + x * 4;
    EXPECT_EQ((std::array<int, 4>{px[0], px[1], px[2], px[3]}), GetParam().expected[size_t(x)])
        << GetParam().what << ", pixel " << x;
  }
}

const Bytes kTwoColours = {0x10, 0x20, 0x30, 0, 0x40, 0x50, 0x60, 0};  // blue, green, red, 0

INSTANTIATE_TEST_SUITE_P(
    Variants, BmpPixels,
    ::testing::Values(
        PixelCase{"16-bit 5-5-5: 0x7FFF is white, 0x0421 is (8, 8, 8)",
                  {40, 2, 1, 16, 0, {}, {}, {0xFF, 0x7F, 0x21, 0x04}},
                  {{255, 255, 255, 255}, {8, 8, 8, 255}}},
        PixelCase{"16-bit bit fields 5-6-5",
                  {40, 2, 1, 16, 3, masks(0xF800, 0x07E0, 0x001F), {}, {0xE0, 0x07, 0x1F, 0xF8}},
                  {{0, 255, 0, 255}, {255, 0, 255, 255}}},
        PixelCase{"32-bit without bit fields: blue, green, red, ignored",
                  {40, 1, 1, 32, 0, {}, {}, {0x30, 0x20, 0x10, 0x00}},
                  {{0x10, 0x20, 0x30, 255}}},
        PixelCase{"24-bit, one pixel wide: 4-byte rows; the key pixel is cleared",
                  {40, 1, 2, 24, 0, {}, {}, {1, 2, 3, 0, 128, 0, 255, 0}},
                  {{0, 0, 0, 0}}},
        PixelCase{"108-byte header read like the 40-byte one",
                  {108, 3, 1, 24, 0, {}, {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0}},
                  {{3, 2, 1, 255}, {6, 5, 4, 255}, {9, 8, 7, 255}}},
        PixelCase{"index beyond the palette the file carries is black",
                  {40, 4, 1, 8, 0, {}, kTwoColours, {0, 1, 2, 255}},
                  {{0x30, 0x20, 0x10, 255}, {0x60, 0x50, 0x40, 255}, {0, 0, 0, 255},
                   {0, 0, 0, 255}}},
        PixelCase{"1-bit core header with its two 3-byte palette entries",
                  {12, 9, 1, 1, 0, {}, {0, 0, 0, 255, 255, 255}, {0xA5, 0x80, 0, 0}},
                  {{255, 255, 255, 255}, {0, 0, 0, 255}, {255, 255, 255, 255}, {0, 0, 0, 255},
                   {0, 0, 0, 255}, {255, 255, 255, 255}, {0, 0, 0, 255}, {255, 255, 255, 255},
                   {255, 255, 255, 255}}}));

TEST(BmpDecode, TopDownFileDecodesLikeTheBottomUpOne) {
  const Bytes bottomUp = readBytes(corpusPath("bmp_24_info.bmp"));
  // Negative height, rows in the opposite order (6 pixels: 20-byte rows).
  Bytes topDown = bottomUp;
  const int rows = 4, rowBytes = 20, dataAt = 54;
  put(topDown, 22, uint32_t(-rows), 4);
  for (int r = 0; r < rows; ++r) {
    std::copy_n(bottomUp.begin() + dataAt + (rows - 1 - r) * rowBytes, rowBytes,
                topDown.begin() + dataAt + r * rowBytes);
  }
  DecodedImage a, b;
  ASSERT_TRUE(decodeBytes(a, bottomUp));
  ASSERT_TRUE(decodeBytes(b, topDown));
  EXPECT_TRUE(samePicture(pictureOf(a), pictureOf(b)));
}

TEST(BmpDecode, ReusesALargeEnoughBufferAndReplacesASmallOne) {
  DecodedImage image;
  ASSERT_TRUE(decodeBmp(image, corpusPath("bmp_24_info.bmp").c_str(), kNoColourKey));  // 6 x 4
  unsigned char* first = image.pixels;
  ASSERT_TRUE(decodeBmp(image, corpusPath("bmp_4_palette.bmp").c_str(), kNoColourKey));  // 5 x 3
  EXPECT_EQ(image.pixels, first);
  EXPECT_EQ(image.capacity, 6 * 4 * 4);
  ASSERT_TRUE(decodeBmp(image, corpusPath("bmp_1_palette.bmp").c_str(), kNoColourKey));  // 9 x 3
  EXPECT_EQ(image.capacity, 9 * 3 * 4);
}

// ---- rejections: false, and the image cleared ----

Bytes withField(Bytes b, size_t at, uint32_t v, int bytes) {
  put(b, at, v, bytes);
  return b;
}

struct RejectCase {
  const char* what;
  Bytes file;
};

class BmpRejects : public ::testing::TestWithParam<RejectCase> {};

TEST_P(BmpRejects, FalseAndImageCleared) {
  DecodedImage image;
  ASSERT_TRUE(decodeBmp(image, corpusPath("bmp_24_info.bmp").c_str(), kNoColourKey));
  image.alphaFromFile = 0;
  EXPECT_FALSE(decodeBytes(image, GetParam().file, kKey)) << GetParam().what;
  EXPECT_EQ(image.pixels, nullptr);
  EXPECT_EQ(image.width, 0);
  EXPECT_EQ(image.height, 0);
  EXPECT_EQ(image.capacity, 0);
  EXPECT_EQ(image.alphaFromFile, 1);
}

const Bytes kInfo24 = readBytes(corpusPath("bmp_24_info.bmp"));  // 6 x 4, data at 54
const Bytes kPalette8 = readBytes(corpusPath("bmp_8_palette.bmp"));

INSTANTIATE_TEST_SUITE_P(
    Cases, BmpRejects,
    ::testing::Values(
        RejectCase{"empty file", {}},
        RejectCase{"not BM", withField(kInfo24, 0, 'X', 1)},
        RejectCase{"a PNG", readBytes(corpusPath("png_rgb.png"))},
        RejectCase{"header size 64", withField(kInfo24, 14, 64, 4)},
        RejectCase{"2 bits per pixel", withField(kInfo24, 28, 2, 2)},
        RejectCase{"3 bits per pixel", withField(kInfo24, 28, 3, 2)},
        RejectCase{"5 bits per pixel", withField(kInfo24, 28, 5, 2)},
        RejectCase{"run-length 8-bit file", readBytes(corpusPath("bmp_8_rle.bmp"))},
        RejectCase{"run-length 4-bit", buildBmp({40, 2, 1, 4, 2, {}, kTwoColours, {0x02, 0x01, 0, 0}})},
        RejectCase{"compression 4", withField(kInfo24, 30, 4, 4)},
        RejectCase{"bit fields on 24 bits", withField(kInfo24, 30, 3, 4)},
        RejectCase{"pixel data one byte short", Bytes(kInfo24.begin(), kInfo24.end() - 1)},
        RejectCase{"8 bits without a palette", withField(kPalette8, 10, 54, 4)},
        RejectCase{"palette reaching past the file", withField(kPalette8, 10, 0x10000, 4)},
        RejectCase{"data offset inside the header", withField(kInfo24, 10, 40, 4)},
        RejectCase{"width 0", withField(kInfo24, 18, 0, 4)},
        RejectCase{"negative width", withField(kInfo24, 18, uint32_t(-6), 4)},
        RejectCase{"height 0", withField(kInfo24, 22, 0, 4)},
        RejectCase{"height INT_MIN", withField(kInfo24, 22, uint32_t(INT_MIN), 4)},
        RejectCase{"width 32768", withField(kInfo24, 18, 32768, 4)},
        RejectCase{"height -32768", withField(kInfo24, 22, uint32_t(-32768), 4)},
        RejectCase{"32767 x 32767 header over a tiny file",
                   withField(withField(kInfo24, 18, 32767, 4), 22, 32767, 4)}));

TEST(BmpDecode, SidesUpTo32767AreAccepted) {
  BmpFields wide{40, 32767, 1, 8, 0, {}, kTwoColours, Bytes(32768, 1)};
  DecodedImage image;
  ASSERT_TRUE(decodeBytes(image, buildBmp(wide)));
  EXPECT_EQ(image.width, 32767);
  EXPECT_EQ(image.row(0)[32766 * 4], 0x60);
  wide.width = 32768;
  EXPECT_FALSE(decodeBytes(image, buildBmp(wide)));
}

TEST(BmpDecode, MissingFileIsFalse) {
  DecodedImage image;
  EXPECT_FALSE(decodeBmp(image, tempPath("_missing.bmp").c_str(), kNoColourKey));
  EXPECT_FALSE(decodeBmp(image, "", kNoColourKey));
}

TEST(BmpDecode, InMemoryFileDecodesLikeTheDiskFile) {
  const MemoryFile memory(readBytes(corpusPath("bmp_8_palette.bmp")));
  DecodedImage fromDisk, fromMemory;
  ASSERT_TRUE(decodeBmp(fromDisk, corpusPath("bmp_8_palette.bmp").c_str(), kKey));
  ASSERT_TRUE(decodeBmp(fromMemory, memory.name(), kKey));
  EXPECT_TRUE(samePicture(pictureOf(fromDisk), pictureOf(fromMemory)));
  // A truncated block is short data, not a short success.
  const Bytes full = readBytes(corpusPath("bmp_8_palette.bmp"));
  const MemoryFile truncated(Bytes(full.begin(), full.end() - 3));
  EXPECT_FALSE(decodeBmp(fromMemory, truncated.name(), kKey));
}

}  // namespace
}  // namespace mvn::test
