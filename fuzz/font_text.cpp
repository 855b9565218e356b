// Arbitrary bytes as a font: the first byte chooses the colour key, the scale
// and fixed or proportional text, the next two give the length of a text that
// follows, and the rest is a BMP or PNG font image. The image goes through the
// font loader's metric pass, the text through the layout of print and through
// textWidth; every glyph must stay inside its texture and every vertex inside
// the buffer that was reserved.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz/decode_harness.h"
#include "runtime/files/memory_name.h"
#include "runtime/gfx2d/images/decode_bmp.h"
#include "runtime/gfx2d/images/decode_png.h"
#include "runtime/gfx2d/images/decoded_image.h"
#include "runtime/gfx2d/fonts/font_layout.h"
#include "runtime/gfx2d/fonts/font_metrics.h"
#include "runtime/gfx2d/font_tables.h"
#include "runtime/gfx2d/sprites/texture_pixels.h"

namespace {

const float kScales[4] = {1.0f, 2.0f, 0.5f, 4.0f};

void checkGlyphs(const mvn::GlyphInfo (&glyphs)[mvn::glyphCount]) {
  for (const mvn::GlyphInfo& g : glyphs) {
    if (!(g.s0 >= 0 && g.s0 <= g.s1 && g.s1 <= 1.0f)) abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzharness::initialise(".font");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const uint8_t flags = data[0];
  size_t textLength = data[1] | size_t(data[2]) << 8;
  data += 3;
  size -= 3;
  if (textLength > size) textLength = size;
  const std::string text(reinterpret_cast<const char*>(data), textLength);
  data += textLength;
  size -= textLength;

  unsigned char* block = new unsigned char[size ? size : 1];
  if (size) std::memcpy(block, data, size);
  mvn::registerMemoryBlock(block, static_cast<uint32_t>(size));
  const std::string name = mvn::makeMemoryName(block, static_cast<uint32_t>(size));
  const int32_t key = (flags & 1) ? 0 : 0x8000FF;
  mvn::DecodedImage image;
  const bool decoded = mvn::decodeBmp(image, name.c_str(), key) || mvn::decodePng(image, name.c_str(), key);
  mvn::unregisterMemoryBlock(block);
  delete[] block;

  // A font without image when nothing decodes, as after a failed load.
  mvn::FontTables fonts;
  mvn::FontFace face;
  face.glyphs = fonts.glyphs[0];
  face.scale = kScales[(flags >> 1) & 3];
  if (decoded) {
    const int tw = mvn::paddedSize(image.width);
    const int th = mvn::paddedSize(image.height);
    mvn::measureGlyphs(image.pixels, image.width, image.width, image.height, tw, fonts.glyphs[0]);
    checkGlyphs(fonts.glyphs[0]);
    face.imageWidth = image.width;
    face.imageHeight = image.height;
    face.uExtent = float(image.width) / float(tw);
    face.vExtent = float(image.height) / float(th);
  }

  const bool proportional = flags & 8;
  mvn::TextVertexBuffer& buffer = fonts.text;
  if (!mvn::reserveTextVertices(buffer, std::strlen(text.c_str()))) abort();
  const double x = (flags & 16) ? 10.2 : -3.5;
  const int count = mvn::layoutText(face, text.c_str(), x, 20.0, proportional, buffer);
  if (count % 4 != 0 || count > buffer.capacity || size_t(count) > 4 * std::strlen(text.c_str())) abort();
  for (int i = 0; i < count; ++i) {
    const mvn::TextVertex& v = buffer.vertices[i];
    if (!std::isfinite(v.x) || !std::isfinite(v.y) || v.z != 0) abort();
  }
  const int fixedWidth = mvn::textWidthOf(face, text.c_str(), false);
  const int proportionalWidth = mvn::textWidthOf(face, text.c_str(), true);
  if (fixedWidth < 0 || proportionalWidth < 0) abort();
  return 0;
}
