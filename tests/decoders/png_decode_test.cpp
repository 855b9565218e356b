#include <gtest/gtest.h>

#include <zlib.h>

#include "runtime/gfx2d/images/decode_png.h"
#include "tests/decoders/image_test_support.h"

namespace mvn::test {
namespace {

constexpr int32_t kKey = 0x8000FF;

struct CorpusCase {
  const char* file;
  const char* expected;
  int alphaFromFile;
  bool keyApplies;  // gray and RGB results honour the key; RGBA results keep the file's alpha
};

class PngCorpus : public ::testing::TestWithParam<CorpusCase> {};

TEST_P(PngCorpus, DecodesToTheExpectedPixels) {
  const CorpusCase& c = GetParam();
  const Picture expected = readNetpbm(corpusPath(c.expected));
  DecodedImage image;
  ASSERT_TRUE(decodePng(image, corpusPath(c.file).c_str(), kNoColourKey));
  EXPECT_EQ(image.alphaFromFile, c.alphaFromFile);
  EXPECT_TRUE(samePicture(expected, pictureOf(image)));

  ASSERT_TRUE(decodePng(image, corpusPath(c.file).c_str(), kKey));
  EXPECT_TRUE(samePicture(c.keyApplies ? withKey(expected, kKey) : expected, pictureOf(image)));
}

INSTANTIATE_TEST_SUITE_P(
    Variants, PngCorpus,
    ::testing::Values(CorpusCase{"png_rgb.png", "src_24colours.ppm", 0, true},
                      CorpusCase{"png_rgb_interlaced.png", "src_24colours.ppm", 0, true},
                      CorpusCase{"png_rgb16.png", "src_24colours.ppm", 0, true},
                      CorpusCase{"png_palette.png", "src_24colours.ppm", 0, true},
                      CorpusCase{"png_palette_trns.png", "png_palette_trns.expected.pam", 1, false},
                      CorpusCase{"png_rgba.png", "png_rgba.expected.pam", 1, false},
                      CorpusCase{"png_gray8.png", "png_gray8.expected.pam", 0, false},
                      CorpusCase{"png_gray2.png", "png_gray2.expected.pam", 0, false}));

TEST(PngDecode, TransparencyChunkAndAlphaSurvive) {
  // The corpus files carry real transparency, so the comparisons above see it.
  const Picture trns = readNetpbm(corpusPath("png_palette_trns.expected.pam"));
  EXPECT_EQ(trns.at(1, 0)[3], 0);  // the green pixel
  const Picture rgba = readNetpbm(corpusPath("png_rgba.expected.pam"));
  EXPECT_EQ(rgba.at(1, 0)[3], 0);
  EXPECT_EQ(rgba.at(2, 1)[3], 127);
}

TEST(PngDecode, InMemoryFileDecodesLikeTheDiskFile) {
  const MemoryFile memory(readBytes(corpusPath("png_palette_trns.png")));
  DecodedImage fromDisk, fromMemory;
  ASSERT_TRUE(decodePng(fromDisk, corpusPath("png_palette_trns.png").c_str(), kKey));
  ASSERT_TRUE(decodePng(fromMemory, memory.name(), kKey));
  EXPECT_TRUE(samePicture(pictureOf(fromDisk), pictureOf(fromMemory)));
}

// ---- rejections ----

void put32be(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (24 - 8 * i));
}

// The corpus RGB file with other IHDR fields, its checksum recomputed.
Bytes withHeader(uint32_t width, uint32_t height) {
  Bytes b = readBytes(corpusPath("png_rgb.png"));
  put32be(b, 16, width);
  put32be(b, 20, height);
  put32be(b, 29, uint32_t(crc32(0, b.data() + 12, 17)));
  return b;
}

// The file cut a few bytes into its image data.
Bytes cutInImageData(const Bytes& b) {
  const std::string text(b.begin(), b.end());
  return Bytes(b.begin(), b.begin() + long(text.find("IDAT")) + 12);
}

Bytes corrupted(Bytes b, size_t at) {
  b[at] ^= 0xFF;
  return b;
}

struct RejectCase {
  const char* what;
  Bytes file;
  const char* logged;  // expected in the runtime log, or empty for nothing
};

class PngRejects : public ::testing::TestWithParam<RejectCase> {};

TEST_P(PngRejects, FalseAndImageCleared) {
  clearLog();
  DecodedImage image;
  ASSERT_TRUE(decodePng(image, corpusPath("png_rgb.png").c_str(), kNoColourKey));
  image.alphaFromFile = 0;
  const std::string path = tempPath(".png");
  writeBytes(path, GetParam().file);
  EXPECT_FALSE(decodePng(image, path.c_str(), kKey)) << GetParam().what;
  EXPECT_EQ(image.pixels, nullptr);
  EXPECT_EQ(image.width, 0);
  EXPECT_EQ(image.capacity, 0);
  EXPECT_EQ(image.alphaFromFile, 1);
  if (*GetParam().logged) {
    EXPECT_NE(logText().find(GetParam().logged), std::string::npos) << logText();
  } else {
    EXPECT_EQ(logText(), "");
  }
}

const Bytes kRgb = readBytes(corpusPath("png_rgb.png"));

INSTANTIATE_TEST_SUITE_P(
    Cases, PngRejects,
    ::testing::Values(
        RejectCase{"empty file", {}, ""},
        RejectCase{"a BMP", readBytes(corpusPath("bmp_24_info.bmp")), ""},
        RejectCase{"gray with alpha (two channels)", readBytes(corpusPath("png_gray_alpha.png")), ""},
        RejectCase{"bad first signature byte", corrupted(kRgb, 0), "PNG: "},
        RejectCase{"header checksum wrong", corrupted(kRgb, 29), "PNG: IHDR: CRC error"},
        RejectCase{"truncated in the image data", cutInImageData(kRgb), "PNG: Read Error"},
        RejectCase{"width 32768", withHeader(32768, 4), ""},
        RejectCase{"30000 x 30000 from a few hundred bytes", withHeader(30000, 30000), ""}));

TEST(PngDecode, MissingFileIsFalse) {
  DecodedImage image;
  EXPECT_FALSE(decodePng(image, tempPath("_missing.png").c_str(), kNoColourKey));
}

}  // namespace
}  // namespace mvn::test
