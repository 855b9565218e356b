// mediagen: writes every file the game reads from its Media folder.
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "brickfall.h"
#include "music.h"
#include "pictures.h"
#include "sprites.h"
#include "wayfarer.h"

namespace {

const char kUsage[] =
    "usage: mediagen [--out DIR] [--only LIST] [--keep-wav PATH]\n"
    "\n"
    "Draws and synthesises the game's media and writes them into DIR\n"
    "(default game/Media). Every run with the same sources writes the same\n"
    "files: all randomness comes from fixed seeds.\n"
    "\n"
    "  --out DIR        folder to write into (it must exist)\n"
    "  --only LIST      comma-separated subset of: arrows, ticker, block, static,\n"
    "                   pictures, music, or a picture number 1..15; or wayfarer\n"
    "                   or brickfall, an example program's media (only when named)\n"
    "  --keep-wav PATH  also keep the rendered music as a 16-bit WAV file\n"
    "  --help           this text\n"
    "\n"
    "Files written:\n"
    "  arrows.png              4 by 2 frames of 60x60: arrows up, right, down, left,\n"
    "                          then the same four highlighted\n"
    "  ticker.png              5 by 7 frames of 12x12: one row per confetti colour,\n"
    "                          one column per phase of the turning strip\n"
    "  block.png               64x64 translucent block\n"
    "  static.png              17 by 17 frames of 8x8 television noise\n"
    "  1.jpg .. 15.jpg         360x360 pictures (baseline JPEG, quality 90)\n"
    "  deliberate thought.mp3  64 s seamless loop, 44.1 kHz stereo, 112 kbit/s\n"
    "                          (needs the lame encoder on the PATH)\n"
    "  with --only wayfarer (--out examples/wayfarer/media):\n"
    "  tiles.png               8 frames of 32x32: grass, meadow, road, water, tree,\n"
    "                          rock, path dot, goal flag\n"
    "  walker.png              32x32 walker\n"
    "  wayfont.png             256x128 font of 16x16 cells, 128 characters\n"
    "  step.wav                90 ms footstep, 16-bit mono at 22050 Hz\n"
    "  with --only brickfall (--out examples/brickfall/media):\n"
    "  brick.png               56x20 light grey brick, tinted by the program\n"
    "  brickfont.png           256x128 font of 16x16 cells, near-white, 128 characters\n"
    "  bounce.wav              60 ms knock (paddle, walls)\n"
    "  crack.wav               150 ms chime and crack (a brick breaks)\n"
    "  lose.wav                400 ms falling tone (the ball is lost)\n"
    "  (the three sounds 16-bit mono at 22050 Hz)\n";

std::set<std::string> split(const std::string& list) {
  std::set<std::string> items;
  size_t start = 0;
  while (start <= list.size()) {
    size_t comma = list.find(',', start);
    if (comma == std::string::npos) comma = list.size();
    if (comma > start) items.insert(list.substr(start, comma - start));
    start = comma + 1;
  }
  return items;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out = "game/Media", wav;
  std::set<std::string> only;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    bool hasValue = i + 1 < argc;
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (arg == "--out" && hasValue) {
      out = argv[++i];
    } else if (arg == "--only" && hasValue) {
      only = split(argv[++i]);
    } else if (arg == "--keep-wav" && hasValue) {
      wav = argv[++i];
    } else {
      std::fprintf(stderr, "mediagen: unknown or incomplete option %s\n\n%s", arg.c_str(), kUsage);
      return 2;
    }
  }
  auto wanted = [&](const std::string& name) { return only.empty() || only.count(name) > 0; };
  // An example's media are written only when named, and alone unless more is named.
  const struct {
    const char* name;
    bool (*make)(const std::string&);
  } examples[] = {{"wayfarer", mediagen::makeWayfarerMedia}, {"brickfall", mediagen::makeBrickfallMedia}};
  bool exampleNamed = false;
  for (const auto& example : examples) {
    if (!only.count(example.name)) continue;
    only.erase(example.name);
    exampleNamed = true;
    if (!example.make(out)) return 1;
  }
  if (exampleNamed && only.empty()) only.insert("none");
  bool ok = true;
  if (wanted("arrows")) ok &= mediagen::makeArrows(out);
  if (wanted("ticker")) ok &= mediagen::makeTicker(out);
  if (wanted("block")) ok &= mediagen::makeBlock(out);
  if (wanted("static")) ok &= mediagen::makeStatic(out);
  for (int n = 1; n <= mediagen::kPictureCount; ++n) {
    if (wanted("pictures") || only.count(std::to_string(n))) ok &= mediagen::makePicture(out, n);
  }
  if (wanted("music")) ok &= mediagen::makeMusic(out, wav);
  if (!ok) return 1;
  std::printf("mediagen: wrote into %s\n", out.c_str());
  return 0;
}
