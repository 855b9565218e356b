// Drawing pieces shared by the puzzle pictures: skies, hills, water,
// trees, houses, boats, clouds and stars, all on a 360 by 360 canvas.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "canvas.h"
#include "random.h"

namespace mediagen {

constexpr float kPictureSize = 360;

// A colour ramp over a parameter: stops at increasing positions.
struct Ramp {
  std::vector<std::pair<float, Color>> stops;
  Ramp(std::initializer_list<std::pair<float, Color>> s) : stops(s) {}
  Color operator()(float t) const;
};

// Fills the rectangle with a vertical ramp from y0 (position 0) to y1 (position 1).
void verticalRamp(Canvas& c, float x0, float y0, float x1, float y1, const Ramp& ramp);

// A soft glow: colour fading out from the centre over the radius.
void glow(Canvas& c, float cx, float cy, float radius, Color colour);

// A ridge whose top is base - height * fbm(x * scale); filled down to the
// bottom with a top-to-bottom shade and a little texture.
void ridge(Canvas& c, float base, float height, float scale, uint32_t seed, Color top, Color bottom,
           float x0 = 0, float x1 = kPictureSize);

void cloud(Canvas& c, float cx, float cy, float width, Color colour, uint32_t seed);
void stars(Canvas& c, float x0, float y0, float x1, float y1, int count, uint32_t seed);
void pine(Canvas& c, float x, float baseY, float height, Color colour);
void roundTree(Canvas& c, float x, float baseY, float height, Color leaves, uint32_t seed);
void house(Canvas& c, float x, float baseY, float width, float height, Color wall, Color roof,
           Color window);
void boat(Canvas& c, float x, float waterY, float size, Color hull, Color sail);
void bird(Canvas& c, float x, float y, float span, Color colour);

// Mirrors the picture above the horizon into the water below it, with ripples
// and a tint.
void reflect(Canvas& c, float horizon, float x0, float x1, float y1, Color tint, float tintAmount,
             uint32_t seed);

// A faint noise over the whole picture, so flat areas do not look printed.
void grain(Canvas& c, float amount, uint32_t seed);

}  // namespace mediagen
