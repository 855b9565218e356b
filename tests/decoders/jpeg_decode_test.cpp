#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <jpeglib.h>

#include "runtime/gfx2d/images/decode_image_file.h"
#include "runtime/gfx2d/images/decode_jpeg.h"
#include "tests/decoders/image_test_support.h"

namespace mvn::test {
namespace {

struct CorpusCase {
  const char* file;
  const char* expected;  // djpeg -nosmooth output
  int alphaFromFile;
  const char* logged;
};

class JpegCorpus : public ::testing::TestWithParam<CorpusCase> {};

TEST_P(JpegCorpus, DecodesLikeTheLibraryWithoutFancyUpsampling) {
  clearLog();
  DecodedImage image;
  ASSERT_TRUE(decodeJpeg(image, corpusPath(GetParam().file).c_str()));
  EXPECT_EQ(image.alphaFromFile, GetParam().alphaFromFile);
  EXPECT_TRUE(samePicture(readNetpbm(corpusPath(GetParam().expected)), pictureOf(image)));
  EXPECT_EQ(logText(), GetParam().logged);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, JpegCorpus,
    ::testing::Values(
        CorpusCase{"jpg_colour.jpg", "jpg_colour.expected.pnm", 0, ""},
        CorpusCase{"jpg_gray.jpg", "jpg_gray.expected.pnm", 0, ""},
        CorpusCase{"jpg_progressive.jpg", "jpg_progressive.expected.pnm", 0, ""},
        // Data ending early is filled in as the library's own file reader does.
        CorpusCase{"jpg_truncated.jpg", "jpg_truncated.expected.pnm", 0,
                   "Premature end of JPEG file\n"}));

// The library's own decoding of a disk file, fancy upsampling off, four
// components taken as red, green, blue and alpha.
Picture libraryDecoding4(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, f);
  jpeg_read_header(&cinfo, TRUE);
  cinfo.do_fancy_upsampling = FALSE;
  jpeg_start_decompress(&cinfo);
  Picture p{int(cinfo.output_width), int(cinfo.output_height), {}};
  p.rgba.resize(size_t(p.width) * p.height * 4);
  EXPECT_EQ(cinfo.output_components, 4);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = p.at(0, int(cinfo.output_scanline));
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  std::fclose(f);
  return p;
}

TEST(JpegDecode, FourComponentsGiveTheFourthAsAlpha) {
  DecodedImage image;
  ASSERT_TRUE(decodeJpeg(image, corpusPath("jpg_cmyk.jpg").c_str()));
  EXPECT_EQ(image.alphaFromFile, 1);
  EXPECT_TRUE(samePicture(libraryDecoding4(corpusPath("jpg_cmyk.jpg")), pictureOf(image)));
}

TEST(JpegDecode, GrayGivesEqualChannels) {
  DecodedImage image;
  ASSERT_TRUE(decodeJpeg(image, corpusPath("jpg_gray.jpg").c_str()));
  for (int i = 0; i < image.width * image.height; ++i) {
    const unsigned char* px = image.pixels + i * 4;
    ASSERT_TRUE(px[0] == px[1] && px[1] == px[2] && px[3] == 255) << "pixel " << i;
  }
}

TEST(JpegDecode, InMemoryFileDecodesLikeTheDiskFile) {
  for (const char* file : {"jpg_colour.jpg", "jpg_progressive.jpg", "jpg_truncated.jpg"}) {
    const MemoryFile memory(readBytes(corpusPath(file)));
    DecodedImage fromDisk, fromMemory;
    ASSERT_TRUE(decodeJpeg(fromDisk, corpusPath(file).c_str())) << file;
    ASSERT_TRUE(decodeJpeg(fromMemory, memory.name())) << file;
    EXPECT_TRUE(samePicture(pictureOf(fromDisk), pictureOf(fromMemory))) << file;
  }
}

// ---- failures: false, image cleared, the process goes on ----

Bytes twoComponentJpeg() {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = 8;
  cinfo.image_height = 8;
  cinfo.input_components = 2;
  cinfo.in_color_space = JCS_UNKNOWN;
  jpeg_set_defaults(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  unsigned char row[16] = {};
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW r = row;
    jpeg_write_scanlines(&cinfo, &r, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

// The colour corpus file with one byte of its frame header changed
// (offset from the frame marker: 4 precision, 5-6 height, 7-8 width).
Bytes withFrameBytes(std::initializer_list<std::pair<size_t, unsigned char>> changes) {
  Bytes b = readBytes(corpusPath("jpg_colour.jpg"));
  const std::string text(b.begin(), b.end());
  for (const auto& [offset, value] : changes) b[text.find("\xFF\xC0") + offset] = value;
  return b;
}

struct FailCase {
  const char* what;
  Bytes file;
  const char* logged;
};

class JpegFails : public ::testing::TestWithParam<FailCase> {};

TEST_P(JpegFails, FalseWithTheLibraryMessageInTheLog) {
  clearLog();
  DecodedImage image;
  ASSERT_TRUE(decodeJpeg(image, corpusPath("jpg_colour.jpg").c_str()));
  const std::string path = tempPath(".jpg");
  writeBytes(path, GetParam().file);
  EXPECT_FALSE(decodeJpeg(image, path.c_str())) << GetParam().what;
  EXPECT_EQ(image.pixels, nullptr);
  EXPECT_EQ(image.width, 0);
  EXPECT_EQ(image.capacity, 0);
  EXPECT_EQ(image.alphaFromFile, 1);
  EXPECT_EQ(logText(), GetParam().logged);
}

const std::string kText = "hello, this is text\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, JpegFails,
    ::testing::Values(
        FailCase{"a text file", Bytes(kText.begin(), kText.end()),
                 "Not a JPEG file: starts with 0x68 0x65\n"},
        FailCase{"a PNG with gray and alpha", readBytes(corpusPath("png_gray_alpha.png")),
                 "Not a JPEG file: starts with 0x89 0x50\n"},
        FailCase{"an empty file", {},
                 "Premature end of JPEG file\nNot a JPEG file: starts with 0xff 0xd9\n"},
        FailCase{"12-bit precision", withFrameBytes({{4, 12}}), "Unsupported JPEG data precision 12\n"},
        FailCase{"two components", twoComponentJpeg(), "JPEG: Channels: 2 not supported!\n"},
        FailCase{"width 32768 (0x8000)", withFrameBytes({{7, 0x80}}), ""},
        FailCase{"about 30000 x 30000 from under a kilobyte",
                 withFrameBytes({{5, 0x75}, {7, 0x75}}), ""}));

TEST(JpegDecode, MissingFileOrDirectoryIsFalseWithoutMessage) {
  clearLog();
  DecodedImage image;
  EXPECT_FALSE(decodeJpeg(image, tempPath("_missing.jpg").c_str()));
  const std::string dir = tempPath("_dir.jpg");
  ASSERT_TRUE(std::filesystem::create_directory(dir));
  EXPECT_FALSE(decodeJpeg(image, dir.c_str()));
  std::filesystem::remove(dir);
  EXPECT_EQ(logText(), "");
}

TEST(DecodeImageFile, TriesBmpThenPngThenJpeg) {
  DecodedImage image;
  for (const char* file : {"bmp_24_info.bmp", "png_rgb.png", "jpg_colour.jpg"}) {
    EXPECT_TRUE(decodeImageFile(image, corpusPath(file).c_str(), 0x8000FF)) << file;
  }
  clearLog();
  EXPECT_FALSE(decodeImageFile(image, corpusPath("png_gray_alpha.png").c_str(), 0x8000FF));
  EXPECT_EQ(image.pixels, nullptr);
  EXPECT_EQ(logText(), "Not a JPEG file: starts with 0x89 0x50\n");
}

}  // namespace
}  // namespace mvn::test
