#include "runtime/gfx2d/images/decode_bmp.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include "runtime/gfx2d/images/image_file.h"

namespace mvn {
namespace {

constexpr int64_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionBitFields = 3;

uint16_t u16(const unsigned char* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t u32(const unsigned char* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// One colour channel of a 16 or 32-bit pixel, scaled to 0..255.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;

  explicit Channel(uint32_t m) : mask(m) {
    while (mask && !((mask >> shift) & 1)) ++shift;
  }
  unsigned operator()(uint32_t pixel) const {
    if (!mask) return 0;
    const uint64_t top = mask >> shift;
    return unsigned(uint64_t((pixel & mask) >> shift) * 255 / top);
  }
};

struct BmpHeader {
  int64_t dataOffset = 0;
  uint32_t headerSize = 0;
  int32_t width = 0;
  int32_t height = 0;  // negative: rows stored from the top
  int bitsPerPixel = 0;
  uint32_t compression = kCompressionNone;
  uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};  // red, green, blue
};

bool readHeader(ImageBytes& file, BmpHeader& h) {
  unsigned char b[kInfoHeaderSize + 12];
  if (!readExactly(file, b, 2) || b[0] != 'B' || b[1] != 'M') return false;
  if (!readExactly(file, b, 12)) return false;
  h.dataOffset = u32(b + 8);  // file size and the reserved fields are not used
  if (!readExactly(file, b, 4)) return false;
  h.headerSize = u32(b);
  if (h.headerSize == kCoreHeaderSize) {
    if (!readExactly(file, b + 4, kCoreHeaderSize - 4)) return false;
    h.width = u16(b + 4);
    h.height = int16_t(u16(b + 6));
    h.bitsPerPixel = u16(b + 10);
    return true;
  }
  // Version 4 and 5 headers start with the same fields as the 40-byte one.
  if (h.headerSize != kInfoHeaderSize && h.headerSize != 108 && h.headerSize != 124) return false;
  if (!readExactly(file, b + 4, kInfoHeaderSize - 4)) return false;
  h.width = int32_t(u32(b + 4));
  h.height = int32_t(u32(b + 8));
  h.bitsPerPixel = u16(b + 14);
  h.compression = u32(b + 16);
  if (h.bitsPerPixel == 32) {
    h.masks[0] = 0xFF0000;
    h.masks[1] = 0x00FF00;
    h.masks[2] = 0x0000FF;
  }
  if (h.compression == kCompressionBitFields) {
    // The three masks follow the first 40 bytes: inside a version 4 or 5
    // header, directly after a 40-byte one.
    if (!readExactly(file, b, 12)) return false;
    for (int c = 0; c < 3; ++c) h.masks[c] = u32(b + 4 * c);
  }
  return true;
}

bool supported(const BmpHeader& h) {
  switch (h.bitsPerPixel) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return false;
  }
  // Run-length and other compressed data cannot be read as plain rows.
  if (h.compression != kCompressionNone &&
      !(h.compression == kCompressionBitFields && (h.bitsPerPixel == 16 || h.bitsPerPixel == 32))) {
    return false;
  }
  const int64_t rows = h.height < 0 ? -int64_t(h.height) : h.height;
  return h.width >= 1 && h.width <= imageSideLimit && rows >= 1 && rows <= imageSideLimit;
}

using Buffer = std::unique_ptr<unsigned char, decltype(&std::free)>;

Buffer allocate(int64_t bytes) {
  return Buffer(static_cast<unsigned char*>(std::malloc(size_t(bytes > 0 ? bytes : 1))), &std::free);
}

bool decodeBytes(DecodedImage& image, ImageBytes& file, int32_t key) {
  BmpHeader h;
  if (!readHeader(file, h) || !supported(h)) return false;

  const bool topDown = h.height < 0;
  const int32_t width = h.width;
  const int32_t height = topDown ? -h.height : h.height;
  const int bpp = h.bitsPerPixel;

  // Palette: between the headers (and bit-field masks) and the pixel data.
  int64_t paletteStart = kFileHeaderSize + h.headerSize;
  if (h.headerSize == kInfoHeaderSize && h.compression == kCompressionBitFields) paletteStart += 12;
  if (h.dataOffset < paletteStart || h.dataOffset > file.getSize()) return false;
  const int entryBytes = h.headerSize == kCoreHeaderSize ? 3 : 4;
  int64_t paletteEntries = 0;
  unsigned char palette[256 * 4];
  if (bpp <= 8) {
    paletteEntries = (h.dataOffset - paletteStart) / entryBytes;
    if (paletteEntries > (int64_t(1) << bpp)) paletteEntries = int64_t(1) << bpp;
    if (paletteEntries == 0) return false;
    file.seek(paletteStart);
    if (!readExactly(file, palette, paletteEntries * entryBytes)) return false;
  }

  const int64_t rowBytes = (int64_t(width) * bpp + 31) / 32 * 4;
  const int64_t dataBytes = rowBytes * height;
  file.seek(h.dataOffset);
  if (dataBytes > file.getSize() - h.dataOffset) return false;  // before allocating
  Buffer data = allocate(dataBytes);
  if (!data || !readExactly(file, data.get(), dataBytes)) return false;

  if (!image.prepare(width, height)) return false;
  const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
  for (int32_t y = 0; y < height; ++y) {
    // Rows are stored bottom-up unless the height was negative.
    const unsigned char* src = data.get() + rowBytes * (topDown ? y : height - 1 - y);
    unsigned char* out = image.row(y);
    for (int32_t x = 0; x < width; ++x, out += 4) {
      if (bpp <= 8) {
        unsigned index;
        if (bpp == 1) index = (src[x / 8] >> (7 - x % 8)) & 1;
        else if (bpp == 4) index = x % 2 == 0 ? src[x / 2] >> 4 : src[x / 2] & 15;
        else index = src[x];
        if (index < paletteEntries) {
          const unsigned char* e = palette + index * entryBytes;
          putKeyedPixel(out, key, e[2], e[1], e[0]);
        } else {
          putKeyedPixel(out, key, 0, 0, 0);  // beyond the palette the file carries
        }
      } else if (bpp == 24) {
        const unsigned char* p = src + int64_t(x) * 3;
        putKeyedPixel(out, key, p[2], p[1], p[0]);
      } else {
        const uint32_t v = bpp == 16 ? u16(src + int64_t(x) * 2) : u32(src + int64_t(x) * 4);
        putKeyedPixel(out, key, red(v), green(v), blue(v));
      }
    }
  }
  image.alphaFromFile = 0;
  return true;
}

}  // namespace

bool decodeBmp(DecodedImage& image, const ImageFile& file, int32_t key) {
  ImageBytes bytes(file);
  const bool ok = decodeBytes(image, bytes, key);
  if (!ok) image.clear();
  return ok;
}

bool decodeBmp(DecodedImage& image, const char* name, int32_t key) {
  ImageFile file;
  if (readImageFile(name, file)) return decodeBmp(image, file, key);
  image.clear();
  return false;
}

}  // namespace mvn
