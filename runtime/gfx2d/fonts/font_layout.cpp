#include "runtime/gfx2d/fonts/font_layout.h"

#include <cmath>
#include <cstring>
#include <new>

#include "runtime/gfx2d/fonts/font_metrics.h"

namespace mvn {

namespace {

constexpr int initialCapacity = 512;
constexpr int growthStep = 128;
// GL counts vertices in a signed 32-bit integer.
constexpr int64_t largestCapacity = 0x7FFFFFFF - growthStep;

// A double truncated toward zero, limited to the integer range (NaN gives 0).
int truncatedInt(double value) {
  if (!(value == value)) return 0;
  if (value >= 2147483647.0) return 2147483647;
  if (value <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(value);
}

}  // namespace

FontFace fontFace(const SpriteSlot& slot, const FontTables& fonts, int font) {
  FontFace face;
  face.imageWidth = slot.imageWidth > 0 ? slot.imageWidth : 0;
  face.imageHeight = slot.imageHeight > 0 ? slot.imageHeight : 0;
  face.uExtent = slot.uExtent;
  face.vExtent = slot.vExtent;
  face.scale = fonts.fontScale[font];
  // A font slot without an image has no glyphs, however it was emptied.
  face.glyphs = slot.imageWidth > 0 ? fonts.glyphs[font] : nullptr;
  face.texelWidth = slot.textureWidth > 0 ? 1.0f / static_cast<float>(slot.textureWidth) : 0;
  face.texelHeight = slot.textureHeight > 0 ? 1.0f / static_cast<float>(slot.textureHeight) : 0;
  return face;
}

bool reserveTextVertices(TextVertexBuffer& buffer, size_t length) {
  if (length > size_t(largestCapacity / 4)) return false;
  const int64_t needed = int64_t(length) * 4;
  if (needed <= buffer.capacity) return true;
  const int64_t capacity =
      needed <= initialCapacity ? initialCapacity : growthStep * (needed / growthStep + 1);
  TextVertex* grown = new (std::nothrow) TextVertex[size_t(capacity)];
  if (!grown) return false;
  buffer.vertices.reset(grown);
  buffer.capacity = static_cast<int>(capacity);
  buffer.count = 0;
  return true;
}

int layoutText(const FontFace& face, const char* text, double x, double y, bool proportional,
               TextVertexBuffer& buffer) {
  buffer.count = 0;
  if (!text || !face.glyphs) return 0;
  const FontGrid grid = fontGrid(face.imageWidth, face.imageHeight);
  const int lastRow = grid.rows - 1;
  const float dt = face.vExtent / static_cast<float>(grid.rows);
  const float ds = face.uExtent / 16.0f;
  const float scale = face.scale;
  const float h = static_cast<float>(grid.cellHeight) * scale;
  const float cellAdvance = static_cast<float>(grid.cellWidth) * scale;

  const float insetS = face.samplesInsideCells ? 0.5f * face.texelWidth : 0.0f;
  const float insetT = face.samplesInsideCells ? 0.5f * face.texelHeight : 0.0f;

  float X = static_cast<float>(std::ceil(x));
  const float Y = static_cast<float>(std::ceil(y));
  TextVertex* v = buffer.vertices.get();
  int count = 0;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    if (count + 4 > buffer.capacity) break;
    const int code = *p % grid.characters;
    if (code == 0) break;
    const int row = code / 16;
    const int col = code % 16;
    const float tBottom = dt * static_cast<float>(lastRow - row);
    const float tTop = tBottom + dt;
    float s0, s1, advance;
    if (proportional) {
      const GlyphInfo& g = face.glyphs[code];
      s0 = g.s0;
      s1 = g.s1;
      advance = static_cast<float>(g.advance) * scale;
    } else {
      s0 = static_cast<float>(col) * ds;
      s1 = s0 + ds;
      advance = cellAdvance;
    }
    s0 += insetS;
    s1 = s1 - insetS < s0 ? s0 : s1 - insetS;  // an empty glyph keeps to its first column
    v[count++] = {X, Y + h, 0, s0, tBottom + insetT};
    v[count++] = {X, Y, 0, s0, tTop - insetT};
    X += advance;
    v[count++] = {X, Y + h, 0, s1, tBottom + insetT};
    v[count++] = {X, Y, 0, s1, tTop - insetT};
  }
  buffer.count = count;
  return count;
}

int textWidthOf(const FontFace& face, const char* text, bool proportional) {
  if (!text) return 0;
  if (proportional && !face.glyphs) return 0;
  // Summed as print lays the text out: each advance times the font's 32-bit
  // scale, added in 32-bit floats, so a right-aligned text ends where it was
  // measured to end.
  const float scale = face.scale;
  const float cellAdvance = static_cast<float>(face.imageWidth >> 4) * scale;
  float width = 0;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    width += proportional ? static_cast<float>(face.glyphs[*p].advance) * scale : cellAdvance;
  }
  return truncatedInt(width);
}

}  // namespace mvn
