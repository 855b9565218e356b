#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <csignal>
#include <filesystem>

#include "runtime/gfx2d/images/decode_image_file.h"
#include "runtime/gfx2d/images/image_writer.h"
#include "tests/decoders/image_test_support.h"

namespace mvn::test {
namespace {

// An image with every alpha from opaque to clear, so that PNG keeps it and
// the other formats show they drop it.
DecodedImage imageOf(const Picture& p, bool varyAlpha) {
  DecodedImage image;
  EXPECT_TRUE(image.prepare(p.width, p.height));
  std::copy(p.rgba.begin(), p.rgba.end(), image.pixels);
  if (varyAlpha) {
    for (int i = 0; i < p.width * p.height; ++i) image.pixels[i * 4 + 3] = uint8_t(i * 11);
  }
  return image;
}

Picture opaque(Picture p) {
  for (size_t i = 3; i < p.rgba.size(); i += 4) p.rgba[i] = 255;
  return p;
}

struct SaveCase {
  const char* suffix;
  const char* magic;  // the file's first bytes
  int tolerance;      // JPEG is lossy
  bool keepsAlpha;
};

class SaveImage : public ::testing::TestWithParam<SaveCase> {};

// What is written decodes back upright to the same pixels.
TEST_P(SaveImage, WritesTheFormatOfTheNameAndDecodesBack) {
  const SaveCase& c = GetParam();
  const bool jpeg = c.tolerance > 0;
  const Picture source = readNetpbm(corpusPath(jpeg ? "src_gradient.ppm" : "src_24colours.ppm"));
  const DecodedImage image = imageOf(source, true);
  const std::string path = tempPath(c.suffix);
  ASSERT_TRUE(saveImage(path.c_str(), image));

  const Bytes bytes = readBytes(path);
  const std::string magic(c.magic);
  ASSERT_GE(bytes.size(), magic.size());
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + long(magic.size())), magic);

  DecodedImage back;
  ASSERT_TRUE(decodeImageFile(back, path.c_str(), kNoColourKey));
  EXPECT_TRUE(samePicture(c.keepsAlpha ? pictureOf(image) : opaque(source), pictureOf(back),
                          c.tolerance));
}

INSTANTIATE_TEST_SUITE_P(
    Names, SaveImage,
    ::testing::Values(SaveCase{".png", "\x89PNG", 0, true}, SaveCase{".PNG", "\x89PNG", 0, true},
                      SaveCase{".jpg", "\xFF\xD8\xFF", 24, false},
                      SaveCase{".JpG", "\xFF\xD8\xFF", 24, false},
                      SaveCase{".bmp", "BM", 0, false}, SaveCase{"", "BM", 0, false},
                      SaveCase{".jpeg", "BM", 0, false}));

TEST(SaveImage, BmpHeaderAndPaddedRows) {
  const DecodedImage image = imageOf(readNetpbm(corpusPath("src_15colours.ppm")), false);  // 5 x 3
  const std::string path = tempPath(".bmp");
  ASSERT_TRUE(saveImage(path.c_str(), image));
  const Bytes b = readBytes(path);
  auto u32 = [&](size_t at) { return uint32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24); };
  const uint32_t rowBytes = 16;  // 3 * 5 + 3, two lowest bits cleared
  EXPECT_EQ(b.size(), 54 + rowBytes * 3);
  EXPECT_EQ(u32(2), 54 + rowBytes * 3);  // file size
  EXPECT_EQ(u32(6), 0u);                 // reserved
  EXPECT_EQ(u32(10), 54u);               // data offset
  EXPECT_EQ(u32(14), 40u);
  EXPECT_EQ(u32(18), 5u);
  EXPECT_EQ(u32(22), 3u);  // positive: rows from the bottom
  EXPECT_EQ(b[26] | b[27] << 8, 1);
  EXPECT_EQ(b[28] | b[29] << 8, 24);
  EXPECT_EQ(u32(30), 0u);
  EXPECT_EQ(u32(38), 10000u);
  EXPECT_EQ(u32(42), 10000u);
  EXPECT_EQ(u32(46), 0u);
  // The first stored row is the image's bottom row: blue, green, red.
  const unsigned char* bottomLeft = image.row(2);
  EXPECT_EQ(b[54], bottomLeft[2]);
  EXPECT_EQ(b[55], bottomLeft[1]);
  EXPECT_EQ(b[56], bottomLeft[0]);
  EXPECT_EQ(b[54 + 15], 0);  // padding
}

TEST(SaveImage, JpegIsBaselineAtQuality80) {
  const DecodedImage image = imageOf(readNetpbm(corpusPath("src_gradient.ppm")), false);
  const std::string path = tempPath(".jpg");
  ASSERT_TRUE(saveImage(path.c_str(), image));
  const Bytes b = readBytes(path);
  const std::string text(b.begin(), b.end());
  EXPECT_NE(text.find("\xFF\xC0"), std::string::npos);  // baseline frame
  // The first luminance divisor: 16 scaled to quality 80 is (16 * 40 + 50) / 100.
  const size_t table = text.find("\xFF\xDB");
  ASSERT_NE(table, std::string::npos);
  EXPECT_EQ(b[table + 5], 6);
}

TEST(SaveImage, ReplacesAnExistingFileOrEmptyDirectory) {
  const DecodedImage image = imageOf(readNetpbm(corpusPath("src_15colours.ppm")), false);
  const std::string dir = tempPath(".png");
  ASSERT_TRUE(std::filesystem::create_directory(dir));
  ASSERT_TRUE(saveImage(dir.c_str(), image));
  const std::string file = tempPath(".bmp");
  writeBytes(file, Bytes(5000, 'x'));
  ASSERT_TRUE(saveImage(file.c_str(), image));
  DecodedImage back;
  EXPECT_TRUE(decodeImageFile(back, dir.c_str(), kNoColourKey));
  EXPECT_TRUE(decodeImageFile(back, file.c_str(), kNoColourKey));
  EXPECT_EQ(readBytes(file).size(), 54u + 16 * 3);
}

TEST(SaveImage, RefusesWhatCannotBeWritten) {
  const DecodedImage image = imageOf(readNetpbm(corpusPath("src_15colours.ppm")), false);
  const MemoryFile memory(Bytes(16));
  EXPECT_FALSE(saveImage(memory.name(), image));
  EXPECT_FALSE(saveImage(tempPath("_no_such_dir/x.png").c_str(), image));
  const DecodedImage empty;
  const std::string path = tempPath(".png");
  EXPECT_FALSE(saveImage(path.c_str(), empty));
  EXPECT_FALSE(saveImage("", image));
}

TEST(SaveImage, AFailedWriteIsAFailureInEveryFormat) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no limit on a file's size to set (setrlimit)";
#else
  const DecodedImage image = imageOf(readNetpbm(corpusPath("src_gradient.ppm")), false);
  // Files may not grow beyond 40 bytes for the moment: every later write fails.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  for (const char* suffix : {".png", ".jpg", ".bmp"}) {
    const std::string path = tempPath(suffix);
    rlimit small = saved;
    small.rlim_cur = 40;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = saveImage(path.c_str(), image);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(written) << suffix;
  }
#endif
}

TEST(SaveImage, JpegLibraryErrorReturnsFalseAndLogs) {
  // Wider than the JPEG format allows: the library refuses, the process goes on.
  const int32_t savedLimit = imageSideLimit;
  imageSideLimit = 70000;
  DecodedImage wide;
  ASSERT_TRUE(wide.prepare(70000, 1));
  imageSideLimit = savedLimit;
  clearLog();
  EXPECT_FALSE(saveImage(tempPath(".jpg").c_str(), wide));
  EXPECT_NE(logText().find("Maximum supported image dimension is 65500 pixels"), std::string::npos)
      << logText();
}

}  // namespace
}  // namespace mvn::test
