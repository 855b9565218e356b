#include "runtime/gfx2d/drawing/gl_state.h"

#include <GL/gl.h>

#include "runtime/gfx2d/drawing/draw_batch.h"

namespace mvn {

namespace {

constexpr int unset = -1;
constexpr int capCount = static_cast<int>(GlCap::count);

const GLenum capNames[capCount] = {
    GL_BLEND,      GL_ALPHA_TEST,  GL_COLOR_MATERIAL, GL_DITHER,      GL_DEPTH_TEST,
    GL_CULL_FACE,  GL_LIGHTING,    GL_STENCIL_TEST,   GL_FOG,         GL_POINT_SMOOTH,
    GL_LINE_SMOOTH, GL_POLYGON_SMOOTH, GL_NORMALIZE,  GL_POLYGON_OFFSET_POINT,
    GL_AUTO_NORMAL, GL_TEXTURE_2D, GL_TEXTURE_2D};

int glStateCache[capCount] = {unset, unset, unset, unset, unset, unset, unset, unset, unset,
                              unset, unset, unset, unset, unset, unset, unset, unset};

struct Colour {
  float red, green, blue, alpha;
  bool known;
};
Colour currentColour = {0, 0, 0, 0, false};

GLenum blendSource = 0;
GLenum blendDestination = 0;
GLenum shadeModel = 0;

// The reference of the alpha function GL holds; known only after this
// module has set it.
float alphaFunctionRef = 0;
bool alphaFunctionKnown = false;

}  // namespace

void setCapability(GlCap cap, bool enabled) {
  int& cached = glStateCache[static_cast<int>(cap)];
  const int wanted = enabled ? 1 : 0;
  if (cached == wanted) return;
  flushDrawBatch();
  cached = wanted;
  if (enabled) {
    glEnable(capNames[static_cast<int>(cap)]);
  } else {
    glDisable(capNames[static_cast<int>(cap)]);
  }
}

void forgetCapabilities() {
  for (int& entry : glStateCache) entry = unset;
  blendSource = blendDestination = 0;
  shadeModel = 0;
  alphaFunctionKnown = false;
}

void setColour(float red, float green, float blue, float alpha) {
  Colour& c = currentColour;
  if (c.known && c.red == red && c.green == green && c.blue == blue && c.alpha == alpha) return;
  flushDrawBatch();
  c = {red, green, blue, alpha, true};
  glColor4f(red, green, blue, alpha);
}

void forgetColour() { currentColour.known = false; }

bool colourIsOpaqueWhite() {
  const Colour& c = currentColour;
  return c.known && c.red == 1.0f && c.green == 1.0f && c.blue == 1.0f && c.alpha == 1.0f;
}

bool colourIsOpaque() { return currentColour.known && currentColour.alpha == 1.0f; }

bool knownColour(float rgba[4]) {
  const Colour& c = currentColour;
  rgba[0] = c.red, rgba[1] = c.green, rgba[2] = c.blue, rgba[3] = c.alpha;
  return c.known;
}

void setBlendFunction(unsigned source, unsigned destination) {
  if (blendSource == source && blendDestination == destination) return;
  flushDrawBatch();
  blendSource = source;
  blendDestination = destination;
  glBlendFunc(source, destination);
}

void setShadeModel(unsigned model) {
  if (shadeModel == model) return;
  flushDrawBatch();
  shadeModel = model;
  glShadeModel(model);
}

}  // namespace mvn

namespace mvn {

bool capabilityKnown(GlCap cap, bool enabled) {
  return glStateCache[static_cast<int>(cap)] == (enabled ? 1 : 0);
}

void setAlphaFunction(float reference) {
  if (alphaFunctionKnown && alphaFunctionRef == reference) return;
  flushDrawBatch();
  alphaFunctionKnown = true;
  alphaFunctionRef = reference;
  glAlphaFunc(GL_GREATER, reference);
}

bool alphaTestPassesOpaque() {
  // The driver holds the reference in the colour buffer's 8 bits, rounded to
  // the nearest step: from 254.5 / 255 up it is 255, which alpha 1 does not
  // exceed.
  return capabilityKnown(GlCap::alphaTest, true) && alphaFunctionKnown &&
         double(alphaFunctionRef) * 255.0 < 254.5;
}

bool alphaTestLetsOpaqueThrough() {
  return capabilityKnown(GlCap::alphaTest, false) || alphaTestPassesOpaque();
}

bool ordinaryBlending() {
  return capabilityKnown(GlCap::blend, true) && blendSource == GL_SRC_ALPHA &&
         blendDestination == GL_ONE_MINUS_SRC_ALPHA;
}

}  // namespace mvn
