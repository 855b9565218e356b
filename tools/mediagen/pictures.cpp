#include "pictures.h"

#include "canvas.h"
#include "image_io.h"
#include "scene_kit.h"
#include "scenes.h"

namespace mediagen {
namespace {

constexpr int kSupersample = 4;
constexpr int kQuality = 90;

using Scene = void (*)(Canvas&);
const Scene kScenes[kPictureCount] = {
    sunsetLake, nightVillage, lighthouseCoast, shapesComposition, balloons,
    autumnPark, desert,       rosette,         reef,              winterCabin,
    cityDusk,   outerSpace,   meadow,          stainedGlass,      island,
};

Canvas render(int number) {
  Canvas c(360, 360, kSupersample, rgb(0xFFFFFF));
  kScenes[number - 1](c);
  grain(c, 0.035f, 900u + number);
  return c;
}

}  // namespace

bool makePicture(const std::string& dir, int number) {
  Canvas c = render(number);
  return writeJpeg(dir + "/" + std::to_string(number) + ".jpg", c.width(), c.height(), c.rgb8(), kQuality);
}

}  // namespace mediagen
