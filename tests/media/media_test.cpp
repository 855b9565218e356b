// The committed media must have the sizes and frame layouts the game cuts
// them into, and the content each frame stands for.
#include <gtest/gtest.h>
#include <png.h>
#include <stdio.h>

#include <jpeglib.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "runtime/gfx2d/images/decode_image_file.h"
#include "runtime/platform/audio.h"

namespace {

const std::string kMedia = std::string(MORVANE_SOURCE_DIR) + "/game/Media/";

struct Image {
  int width = 0, height = 0, channels = 0;
  bool hasAlpha = false, progressive = false;
  std::vector<uint8_t> pixels;  // RGBA for PNG, RGB for JPEG

  const uint8_t* at(int x, int y) const { return &pixels[(static_cast<size_t>(y) * width + x) * channels]; }
};

Image readPng(const std::string& path) {
  Image img;
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) return img;
  img.hasAlpha = (png.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  png.format = PNG_FORMAT_RGBA;
  img.pixels.resize(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, img.pixels.data(), 0, nullptr)) return Image{};
  img.width = static_cast<int>(png.width);
  img.height = static_cast<int>(png.height);
  img.channels = 4;
  return img;
}

Image readJpeg(const std::string& path) {
  Image img;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return img;
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, f);
  jpeg_read_header(&cinfo, TRUE);
  img.progressive = cinfo.progressive_mode != 0;
  img.channels = cinfo.num_components;
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  img.width = static_cast<int>(cinfo.output_width);
  img.height = static_cast<int>(cinfo.output_height);
  img.pixels.resize(static_cast<size_t>(img.width) * img.height * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = &img.pixels[static_cast<size_t>(cinfo.output_scanline) * img.width * 3];
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  std::fclose(f);
  return img;
}

// Frame numbering of an animation: left to right, then top to bottom.
struct Frame {
  const Image& img;
  int size, index;
  int columns() const { return img.width / size; }
  const uint8_t* at(int x, int y) const {
    return img.at((index % columns()) * size + x, (index / columns()) * size + y);
  }
};

struct Sheet {
  const char* file;
  int frameSize;
  int framesUsed;
  int columns;  // 0: any layout
};

// Every animation: whole frames only, enough of them, an alpha channel.
TEST(MediaSheets, FrameGridsHoldEveryFrameTheGameDraws) {
  const Sheet sheets[] = {
      {"arrows.png", 60, 8, 0},
      {"ticker.png", 12, 35, 5},  // one row per colour: frame = colour * 5 + phase
      {"static.png", 8, 281, 0},
  };
  for (const Sheet& s : sheets) {
    SCOPED_TRACE(s.file);
    Image img = readPng(kMedia + s.file);
    ASSERT_GT(img.width, 0);
    EXPECT_TRUE(img.hasAlpha);
    EXPECT_EQ(img.width % s.frameSize, 0);
    EXPECT_EQ(img.height % s.frameSize, 0);
    EXPECT_GE((img.width / s.frameSize) * (img.height / s.frameSize), s.framesUsed);
    if (s.columns) {
      EXPECT_EQ(img.width / s.frameSize, s.columns);
    }
  }
}

// The runtime's own decoders read every image at its size, and the default
// transparent colour (red 255, green 0, blue 128) hides no pixel of the art.
TEST(MediaDecoding, TheRuntimeReadsEveryImageWithNothingKeyedOut) {
  const int32_t defaultKey = 0x8000FF;
  std::vector<std::string> files = {"arrows.png", "ticker.png", "block.png", "static.png"};
  for (int n = 1; n <= 15; ++n) files.push_back(std::to_string(n) + ".jpg");
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    bool png = file.size() > 4 && file.compare(file.size() - 4, 4, ".png") == 0;
    Image reference = png ? readPng(kMedia + file) : readJpeg(kMedia + file);
    mvn::DecodedImage decoded;
    ASSERT_TRUE(mvn::decodeImageFile(decoded, (kMedia + file).c_str(), defaultKey));
    ASSERT_EQ(decoded.width, reference.width);
    ASSERT_EQ(decoded.height, reference.height);
    if (!png) continue;
    int changed = 0;
    for (int y = 0; y < decoded.height; ++y)
      for (int x = 0; x < decoded.width; ++x)
        if (decoded.row(y)[x * 4 + 3] != reference.at(x, y)[3]) ++changed;
    EXPECT_EQ(changed, 0);
  }
}

// Where the arrow head lies: the mean position, along the direction d, of
// the ink wider than the shaft, relative to the frame's centre.
template <class Ink>
double headOffset(const Frame& f, int dx, int dy, Ink ink) {
  double sum = 0, n = 0;
  for (int y = 0; y < f.size; ++y)
    for (int x = 0; x < f.size; ++x) {
      double cx = x - (f.size - 1) / 2.0, cy = y - (f.size - 1) / 2.0;
      double along = cx * dx + cy * dy, across = cx * dy - cy * dx;
      if (std::fabs(across) > 9 && ink(f.at(x, y))) sum += along, n += 1;
    }
  return n > 0 ? sum / n : 0;
}

TEST(MediaArrows, FramesPointUpRightDownLeftAndHighlightsCoverTheNormalArrow) {
  Image img = readPng(kMedia + "arrows.png");
  ASSERT_GT(img.width, 0);
  const int dx[4] = {0, 1, 0, -1}, dy[4] = {-1, 0, 1, 0};
  auto darkInk = [](const uint8_t* p) { return p[3] > 200 && p[0] + p[1] + p[2] < 3 * 110; };
  auto whiteInk = [](const uint8_t* p) { return p[3] > 200 && p[0] > 235 && p[1] > 225 && p[2] > 200; };
  for (int d = 0; d < 4; ++d) {
    SCOPED_TRACE(d);
    Frame normal{img, 60, d}, lit{img, 60, d + 4};
    EXPECT_GT(headOffset(normal, dx[d], dy[d], darkInk), 0.5);
    EXPECT_GT(headOffset(lit, dx[d], dy[d], whiteInk), 0.5);
    // The game draws the highlight over the normal arrow at the same place.
    int uncovered = 0;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 60; ++x)
        if (normal.at(x, y)[3] > 0 && lit.at(x, y)[3] < 250) ++uncovered;
    EXPECT_EQ(uncovered, 0);
    EXPECT_EQ(normal.at(0, 0)[3], 0);
    EXPECT_EQ(lit.at(59, 59)[3], 0);
  }
}

TEST(MediaTicker, EachColourRowIsOneHueWithAStripInEveryPhase) {
  Image img = readPng(kMedia + "ticker.png");
  ASSERT_GT(img.width, 0);
  std::vector<std::array<double, 3>> colours;
  for (int colour = 0; colour < 7; ++colour) {
    for (int phase = 0; phase < 5; ++phase) {
      Frame f{img, 12, colour * 5 + phase};
      int opaque = 0;
      std::array<double, 3> sum{};
      for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
          if (f.at(x, y)[3] > 128) {
            ++opaque;
            for (int c = 0; c < 3; ++c) sum[c] += f.at(x, y)[c];
          }
      EXPECT_GT(opaque, 4) << "frame " << f.index;
      EXPECT_EQ(f.at(0, 0)[3] + f.at(11, 0)[3] + f.at(0, 11)[3] + f.at(11, 11)[3], 0) << "frame " << f.index;
      if (phase == 0) colours.push_back({sum[0] / opaque, sum[1] / opaque, sum[2] / opaque});
    }
  }
  for (size_t i = 0; i < colours.size(); ++i)
    for (size_t j = i + 1; j < colours.size(); ++j) {
      double d = std::fabs(colours[i][0] - colours[j][0]) + std::fabs(colours[i][1] - colours[j][1]) +
                 std::fabs(colours[i][2] - colours[j][2]);
      EXPECT_GT(d, 60) << "colours " << i << " and " << j << " look alike";
    }
}

TEST(MediaStatic, OpaqueGreyNoiseWithNoTwoFramesAlike) {
  Image img = readPng(kMedia + "static.png");
  ASSERT_GT(img.width, 0);
  std::set<std::vector<uint8_t>> distinct;
  double brightness = 0;
  for (int i = 0; i < 281; ++i) {
    Frame f{img, 8, i};
    std::vector<uint8_t> grey;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        const uint8_t* p = f.at(x, y);
        ASSERT_EQ(p[3], 255);
        ASSERT_LT(std::abs(p[0] - p[1]) + std::abs(p[1] - p[2]), 16);
        grey.push_back(p[1]);
        brightness += p[1];
      }
    distinct.insert(grey);
  }
  EXPECT_EQ(distinct.size(), 281u);
  brightness /= 281.0 * 64 * 255;
  EXPECT_GT(brightness, 0.3);
  EXPECT_LT(brightness, 0.7);
}

TEST(MediaBlock, SixtyFourSquareAndTranslucent) {
  Image img = readPng(kMedia + "block.png");
  ASSERT_EQ(img.width, 64);
  ASSERT_EQ(img.height, 64);
  int clear = 0, translucent = 0, opaque = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      int a = img.at(x, y)[3];
      (a == 0 ? clear : a == 255 ? opaque : translucent) += 1;
    }
  EXPECT_GT(translucent, 64 * 64 / 2);
  EXPECT_EQ(opaque, 0);  // the board and the blocks behind it stay visible through it
  EXPECT_GT(clear, 0);
}

// The nine 120 by 120 tiles of every picture, each shrunk to 6 by 6 cells:
// no two tiles of a picture may look alike, or the player cannot place them.
TEST(MediaPictures, FifteenBaselinePicturesWithNineDistinctTiles) {
  for (int n = 1; n <= 15; ++n) {
    SCOPED_TRACE(n);
    Image img = readJpeg(kMedia + std::to_string(n) + ".jpg");
    ASSERT_EQ(img.width, 360);
    ASSERT_EQ(img.height, 360);
    EXPECT_EQ(img.channels, 3);
    EXPECT_FALSE(img.progressive);
    std::array<std::array<double, 6 * 6 * 3>, 9> thumbs{};
    for (int y = 0; y < 360; ++y)
      for (int x = 0; x < 360; ++x) {
        int tile = (y / 120) * 3 + x / 120, cell = ((y % 120) / 20) * 6 + (x % 120) / 20;
        for (int c = 0; c < 3; ++c) thumbs[tile][cell * 3 + c] += img.at(x, y)[c] / 400.0;
      }
    for (int a = 0; a < 9; ++a)
      for (int b = a + 1; b < 9; ++b) {
        double diff = 0;
        for (size_t i = 0; i < thumbs[a].size(); ++i) diff += std::fabs(thumbs[a][i] - thumbs[b][i]);
        EXPECT_GT(diff / thumbs[a].size(), 8.0) << "tiles " << a << " and " << b << " look alike";
      }
  }
}

// MPEG-1 layer III frame headers: enough frames for a minute at 44.1 kHz, in stereo.
TEST(MediaMusic, AMinuteOrMoreOfStereoAtFortyFourKilohertz) {
  FILE* f = std::fopen((kMedia + "deliberate thought.mp3").c_str(), "rb");
  ASSERT_NE(f, nullptr);
  std::vector<uint8_t> data;
  uint8_t buf[65536];
  for (size_t got; (got = std::fread(buf, 1, sizeof buf, f)) > 0;) data.insert(data.end(), buf, buf + got);
  std::fclose(f);
  EXPECT_LT(data.size(), 1500000u);
  size_t pos = 0;
  if (data.size() > 10 && data[0] == 'I' && data[1] == 'D' && data[2] == '3')
    pos = 10 + ((data[6] & 127) << 21 | (data[7] & 127) << 14 | (data[8] & 127) << 7 | (data[9] & 127));
  static const int kKbps[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
  int frames = 0, mono = 0, otherRate = 0;
  while (pos + 4 <= data.size()) {
    const uint8_t* h = &data[pos];
    ASSERT_TRUE(h[0] == 0xFF && (h[1] & 0xFE) == 0xFA) << "no MPEG-1 layer III frame at byte " << pos;
    int kbps = kKbps[h[2] >> 4], rate = (h[2] >> 2) & 3, padding = (h[2] >> 1) & 1;
    ASSERT_GT(kbps, 0);
    if (rate != 0) ++otherRate;
    if ((h[3] >> 6) == 3) ++mono;
    pos += 144000 * kbps / 44100 + padding;
    ++frames;
  }
  EXPECT_EQ(otherRate, 0);
  EXPECT_EQ(mono, 0);
  EXPECT_GE(frames * 1152.0 / 44100, 60.0);

  // The music player decodes it and times the loop on its length; the
  // encoder's delay and padding must not count.
  mvn::platform::MediaWindow* window = mvn::platform::createMediaWindow(data);
  ASSERT_NE(window, nullptr);
  EXPECT_NEAR(mvn::platform::mediaLength(window), frames * 1152.0 / 44.1, 80.0);
  EXPECT_GE(mvn::platform::mediaLength(window), 60000u);
  mvn::platform::closeMediaWindow(window);
  mvn::platform::closeAudioOutput();
}

}  // namespace
