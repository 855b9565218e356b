// The font the start-up chooses, seen from a program run as a child process
// from a directory of its own: the built-in font, a default font file beside
// the executable or in its Media folder, or one in the archive appended to
// the executable.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/gfx2d/images/decoded_image.h"
#include "runtime/gfx2d/images/image_writer.h"
#include "tests/app/child_process.h"

namespace mvn {
namespace {

using testing::ChildProcess;
using testing::fileText;

const std::string kProbe = std::string(MORVANE_TEST_PROGRAMS) + "/font_probe" + testing::kProgramSuffix;
const std::string kShoebox = std::string(MORVANE_BINARY_DIR) + "/tools/shoebox/shoebox" + testing::kProgramSuffix;

int shoebox(const std::vector<std::string>& args) { return ChildProcess(kShoebox, {}, "", "", args).wait(); }

// A font image of the given size with no ink: only its size tells it apart.
void writeFont(const std::string& path, int width, int height) {
  DecodedImage image;
  ASSERT_TRUE(image.prepare(width, height));
  ASSERT_TRUE(saveImage(path.c_str(), image)) << path;
}

struct StartCase {
  const char* what;
  std::vector<std::pair<const char*, int>> files;    // name beside the program, image width
  std::vector<std::pair<const char*, int>> archive;  // members appended to the program
  const char* report;
};

const StartCase kCases[] = {
    {"no font anywhere", {}, {}, "font 0 cell 8x8 scale 1 image 128x64 hello 40/40"},
    {"all four names",
     {{"Media/smalfont.png", 256}, {"Media/smalfont.bmp", 192}, {"smalfont.png", 160}, {"smalfont.bmp", 224}},
     {},
     "font 0 cell 16x16 scale 1 image 256x128 hello 80/80"},
    {"only smalfont.bmp", {{"smalfont.bmp", 224}}, {}, "font 0 cell 14x14 scale 1 image 224x112 hello 70/70"},
    {"Media bmp before the program's png",
     {{"Media/smalfont.bmp", 192}, {"smalfont.png", 160}},
     {},
     "font 0 cell 12x12 scale 1 image 192x96 hello 60/60"},
    {"png in the archive", {}, {{"smalfont.png", 96}}, "font 0 cell 6x6 scale 1 image 96x48 hello 30/30"},
    {"bmp in the archive", {}, {{"smalfont.bmp", 96}}, "font 0 cell 6x6 scale 1 image 96x48 hello 30/30"},
    {"undecodable first match: the built-in font",
     {{"Media/smalfont.png", 0}, {"smalfont.bmp", 224}},
     {},
     "error: 3\nfont 0 cell 8x8 scale 1 image 128x64 hello 40/40"},
};

TEST(StartupFont, TheFirstDefaultFontFoundIsFontZeroAtScaleOne) {
  for (const StartCase& c : kCases) {
    SCOPED_TRACE(c.what);
    const std::string dir = std::string(MORVANE_BINARY_DIR) + "/tmp/startup_font";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir + "/Media");
    const std::string program = dir + "/font_probe" + testing::kProgramSuffix;
    std::filesystem::copy_file(kProbe, program);
    for (const auto& [name, width] : c.files) {
      if (width == 0) {
        std::ofstream(dir + "/" + name) << "not an image";
      } else {
        writeFont(dir + "/" + name, width, width / 2);
      }
    }
    if (!c.archive.empty()) {
      std::filesystem::create_directories(dir + "/members");
      std::vector<std::string> pack = {"pack", dir + "/fonts.sbx"};
      for (const auto& [name, width] : c.archive) {
        writeFont(dir + "/members/" + name, width, width / 2);
        pack.push_back(dir + "/members/" + name);
      }
      ASSERT_EQ(shoebox(pack), 0);
      ASSERT_EQ(shoebox({"append", program, dir + "/fonts.sbx"}), 0);
      std::filesystem::remove_all(dir + "/members");
      std::filesystem::remove(dir + "/fonts.sbx");
    }

    ChildProcess child(program, {testing::kTemporaryVariable + "=" + dir}, dir);
    EXPECT_EQ(child.wait(), 0);
    EXPECT_EQ(child.output(), std::string(c.report) + "\nexit\n");
    const std::string log = fileText(dir + "/ErrorLog.txt");
    EXPECT_NE(log.find("\nmk2D\nfinding font...\nDelay load DLLs\n"), std::string::npos) << log;
    EXPECT_NE(log.find("Init Finalized\n"), std::string::npos) << log;
  }
}

}  // namespace
}  // namespace mvn
