// The renderer's record of the GL state it toggles, so that a repeated
// request issues no GL call.
#pragma once

namespace mvn {

enum class GlCap {
  blend,
  alphaTest,
  colourMaterial,
  dither,
  depthTest,
  cullFace,
  lighting,
  stencilTest,
  fog,
  pointSmooth,
  lineSmooth,
  polygonSmooth,
  normalise,
  polygonOffsetPoint,
  autoNormal,
  texture2D,         // on texture unit 0
  texture2DUnit1,    // on texture unit 1, when multitexturing exists
  count
};

// Every call that reaches GL first draws the queued batch (draw_batch.h).
//
// Enables or disables a capability, calling GL only when the cached value
// differs. Unit-1 texturing expects unit 1 to be the active unit.
void setCapability(GlCap cap, bool enabled);

// Forgets every cached value, so that the next request of each issues its call.
void forgetCapabilities();

// The colour last handed to glColor4f; a change calls GL only on a difference.
void setColour(float red, float green, float blue, float alpha);
void forgetColour();
// True when GL's current colour is known to be (1, 1, 1, 1).
bool colourIsOpaqueWhite();
// True when GL's current colour is known to have alpha 1.
bool colourIsOpaque();
// GL's current colour into rgba; false when it is not known.
bool knownColour(float rgba[4]);

// Blend function with the same filtering.
void setBlendFunction(unsigned source, unsigned destination);

// Shading model (GL_FLAT / GL_SMOOTH) with the same filtering.
void setShadeModel(unsigned model);

}  // namespace mvn

namespace mvn {

// True when the cache knows the capability to be in the given state.
bool capabilityKnown(GlCap cap, bool enabled);

// The alpha function GL_GREATER with the reference, calling GL only when the
// reference GL holds differs (or is not known).
void setAlphaFunction(float reference);

// True when blending is known to be on with (GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA).
bool ordinaryBlending();

// True when the alpha test is known to be on with a reference that, held in
// 8 bits as the driver holds it, is below 1, so that it passes every fragment
// of alpha 1.
bool alphaTestPassesOpaque();
// True when it is known to be off or to pass every fragment of alpha 1.
bool alphaTestLetsOpaqueThrough();

}  // namespace mvn
