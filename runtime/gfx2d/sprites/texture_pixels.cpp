#include "runtime/gfx2d/sprites/texture_pixels.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

namespace mvn {

int paddedSize(int side) {
  int size = 8;
  do {
    size *= 2;
  } while (size < side);
  return size;
}

void fillTransparentTexels(uint8_t* rgba, int width, int height) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t* p = rgba + (static_cast<size_t>(y) * width + x) * 4;
      if (p[3] != 0) continue;
      int sum[3] = {0, 0, 0};
      int count = 0;
      for (int ny = y - 1; ny <= y + 1; ++ny) {
        if (ny < 1 || ny > height - 2) continue;
        for (int nx = x - 1; nx <= x + 1; ++nx) {
          if (nx < 1 || nx > width - 2 || (nx == x && ny == y)) continue;
          const uint8_t* n = rgba + (static_cast<size_t>(ny) * width + nx) * 4;
          if (n[3] == 0) continue;
          sum[0] += n[0];
          sum[1] += n[1];
          sum[2] += n[2];
          ++count;
        }
      }
      for (int c = 0; c < 3; ++c) p[c] = count ? static_cast<uint8_t>(sum[c] / count) : 0;
    }
  }
}

bool makeNormalMap(uint8_t* rgba, int width, int height) {
  // The heights are read from a copy of the blue channel, which the map overwrites.
  const size_t count = static_cast<size_t>(width) * height;
  std::unique_ptr<uint8_t[]> blue(new (std::nothrow) uint8_t[count]);
  if (!blue) return false;
  for (size_t i = 0; i < count; ++i) blue[i] = rgba[i * 4 + 2];
  auto at = [&](int x, int y) {
    x = (x % width + width) % width;
    y = (y % height + height) % height;
    return blue[static_cast<size_t>(y) * width + x] / 255.0f;
  };
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const float gx = (at(x + 1, y - 1) + 2 * at(x + 1, y) + at(x + 1, y + 1)) -
                       (at(x - 1, y - 1) + 2 * at(x - 1, y) + at(x - 1, y + 1));
      const float nx = -gx;
      const float ny = (at(x - 1, y + 1) + 2 * at(x, y + 1) + at(x + 1, y + 1)) -
                       (at(x - 1, y - 1) + 2 * at(x, y - 1) + at(x + 1, y - 1));
      const float k = 1.0f / std::sqrt(nx * nx + ny * ny + 1.0f);
      uint8_t* p = rgba + (static_cast<size_t>(y) * width + x) * 4;
      p[0] = static_cast<uint8_t>((nx * k + 1) * 0.5f * 255);
      p[1] = static_cast<uint8_t>((ny * k + 1) * 0.5f * 255);
      p[2] = static_cast<uint8_t>((k + 1) * 0.5f * 255);
    }
  }
  return true;
}

void copyRegionFlipped(const uint8_t* image, int imageWidth, int imageHeight, int x, int y,
                       int width, int height, uint8_t* texture, int tw, int th) {
  const int firstColumn = x > 0 ? x : 0;
  const int lastColumn = std::min({x + tw, imageWidth, x + width});  // exclusive
  const int firstRow = y > 0 ? y : 0;
  const int lastRow = std::min({y + th, imageHeight, y + height});
  if (lastColumn <= firstColumn) return;
  const size_t rowBytes = static_cast<size_t>(lastColumn - firstColumn) * 4;
  for (int sy = firstRow; sy < lastRow; ++sy) {
    const uint8_t* from = image + (static_cast<size_t>(sy) * imageWidth + firstColumn) * 4;
    uint8_t* to = texture + (static_cast<size_t>(height - 1 - (sy - y)) * tw + (firstColumn - x)) * 4;
    std::memcpy(to, from, rowBytes);
  }
}

void halveWidth(uint8_t* p, int width, int height) {
  const int half = width / 2;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < half; ++x) {
      const uint8_t* a = p + (static_cast<size_t>(y) * width + 2 * x) * 4;
      uint8_t* out = p + (static_cast<size_t>(y) * half + x) * 4;
      for (int c = 0; c < 4; ++c) out[c] = static_cast<uint8_t>((a[c] + a[c + 4]) >> 1);
    }
  }
}

void halveHeight(uint8_t* p, int width, int height) {
  const int half = height / 2;
  for (int y = 0; y < half; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint8_t* a = p + (static_cast<size_t>(2 * y) * width + x) * 4;
      const uint8_t* b = a + static_cast<size_t>(width) * 4;
      uint8_t* out = p + (static_cast<size_t>(y) * width + x) * 4;
      for (int c = 0; c < 4; ++c) out[c] = static_cast<uint8_t>((a[c] + b[c]) >> 1);
    }
  }
}

void reduceMipLevel(uint8_t* p, int side) {
  const int half = side / 2;
  auto src = [&](int x, int y, int c) { return p[(static_cast<size_t>(y) * side + x) * 4 + c]; };
  for (int y = 0; y < half; ++y) {
    for (int x = 0; x < half; ++x) {
      uint8_t out[4];
      for (int c = 0; c < 4; ++c) {
        const int sx = 2 * x;
        const int sy = 2 * y;
        if (x < half - 1 && y < half - 1) {
          out[c] = static_cast<uint8_t>((4 * src(sx, sy, c) + 2 * src(sx + 1, sy, c) +
                                         2 * src(sx + 1, sy + 1, c) + src(sx, sy + 1, c)) / 9);
        } else if (x < half - 1) {
          out[c] = static_cast<uint8_t>((2 * src(sx, sy, c) + src(sx + 1, sy, c)) / 3);
        } else if (y < half - 1) {
          out[c] = static_cast<uint8_t>((2 * src(sx, sy, c) + src(sx, sy + 1, c)) / 3);
        } else {
          out[c] = src(sx, sy, c);
        }
      }
      // In place: the texel written lies before every source texel still to be read.
      std::memcpy(p + (static_cast<size_t>(y) * half + x) * 4, out, 4);
    }
  }
}

}  // namespace mvn
