#include "runtime/gfx2d/sprites/sprite_loading.h"

#include <GL/gl.h>

#include <algorithm>
#include <new>
#include <string>

#include "runtime/core/runtime_objects.h"
#include "runtime/gfx2d/drawing/draw_batch.h"
#include "runtime/files/shoebox.h"
#include "runtime/gfx2d/drawing/background.h"
#include "runtime/gfx2d/images/decode_image_file.h"
#include "runtime/gfx2d/images/decoded_image.h"
#include "runtime/gfx2d/images/image_writer.h"
#include "runtime/gfx2d/opengl_rainbows.h"
#include "runtime/gfx2d/sprites/sprite_memory.h"
#include "runtime/gfx2d/sprites/sprite_store.h"
#include "runtime/gfx2d/sprites/texture_pixels.h"
#include "runtime/platform/gl_pixels.h"
#include "runtime/values/errors.h"
#include "runtime/values/error_trace.h"

namespace mvn {

namespace {

bool isEmpty(const char* text) { return !text || !*text; }

constexpr const char* kNotFound = "no such file on disk or in the archive";
constexpr const char* kNotAnImage = "not an image that can be decoded (PNG, JPEG or BMP)";
constexpr const char* kSlotOutside = "slot number outside 0..65536";

// Resolves and loads a file into a slot: null, or why it could not (error 3).
const char* loadIntoSlot(OpenGLRainbows& r, const char* file, int slot, bool bumpMap) {
  std::string name = file ? file : "";
  if (!resolveFileName(name)) return kNotFound;
  if (!loadImageFile(r, slot, name.c_str(), r.colourKey, bumpMap)) return kNotAnImage;
  return nullptr;
}

bool decodeForSlot(DecodedImage& image, const char* name, int32_t key) {
  if (!decodeImageFile(image, name, key)) return false;
  if (!image.alphaFromFile) fillTransparentTexels(image.pixels, image.width, image.height);
  return true;
}

ImageView viewOf(const DecodedImage& image) { return ImageView{image.pixels, image.width, image.height}; }

}  // namespace

bool createTexture(OpenGLRainbows& r, const DecodedImage& image, int x, int y, int width, int height,
                   SpriteSlot& slotRecord, uint32_t* mipTarget, bool bumpMap, bool nearest,
                   TextureExtent* extent) {
  return createTexture(r, viewOf(image), x, y, width, height, slotRecord, mipTarget, bumpMap, nearest, extent);
}

bool uploadImage(OpenGLRainbows& r, int slot, const DecodedImage& image, bool bumpMap) {
  return uploadImage(r, slot, viewOf(image), bumpMap);
}

bool loadImageFile(OpenGLRainbows& r, int slot, const char* name, int32_t key, bool bumpMap) {
  if (!isSlotNumber(slot)) return false;
  const int target = renderTargetOf(r, slot);
  freeSlot(r, slot);
  if (isEmpty(name)) return false;
  DecodedImage image;
  if (!decodeForSlot(image, name, key)) return false;
  const bool uploaded = uploadImage(r, slot, viewOf(image), bumpMap);
  if (uploaded && target >= 0) reattachRenderTarget(r, target, slot);
  return uploaded;
}

namespace {

// The load commands: the error code cleared, the slot emptied, the file
// loaded (an empty name only empties the slot, unless emptyFails). A slot
// number outside the table sets code 7, a file that cannot be loaded code 3;
// the trace names the command as the program called it.
template <typename... Args>
void loadCommand(const char* file, int slot, bool bumpMap, bool emptyFails, const char* command,
                 const Args&... args) {
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return;
  errorCode = 0;
  if (!isSlotNumber(slot)) {
    failWith(7, kSlotOutside, command, args...);
    return;
  }
  freeSlot(*r, slot);
  if (!isEmpty(file) || emptyFails) {
    if (const char* why = loadIntoSlot(*r, file, slot, bumpMap)) failWith(3, why, command, args...);
  }
  forgetEmptyFont(*r, slot);
}

}  // namespace

void loadSprite(TextRef fileRef, int slot) {
  const char* file = fileRef;
  loadCommand(file, slot, false, false, "loadSprite", file, slot);
}

void loadAnim(TextRef fileRef, int slot, int frameWidth, int frameHeight) {
  const char* file = fileRef;
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return;
  loadCommand(file, slot, false, false, "loadAnim", file, slot, frameWidth, frameHeight);
  if (isSlotNumber(slot) && r->spriteSlots[slot].imageWidth > 0) {
    setAnimFrameSize(slot, frameWidth, frameHeight);
  }
}

void loadBumpTexture(TextRef fileRef, int slot) {
  const char* file = fileRef;
  loadCommand(file, slot, true, true, "loadBumpTexture", file, slot);
}

int loadImageToMem(const char* file, int& width, int& height, std::vector<int32_t>& pixels) {
  std::string name = file ? file : "";
  DecodedImage image;
  const int32_t key = runtimeObjects.renderer ? runtimeObjects.renderer->colourKey : 0x8000FF;
  if (!resolveFileName(name) || !decodeForSlot(image, name.c_str(), key)) {
    failWith(3, resolveFileName(name) ? kNotAnImage : kNotFound, "loadImageToMem", file);
    return 0;
  }
  // A buffer that cannot be had fails the load (code 3) and changes nothing.
  try {
    pixels.resize(size_t(image.width) * image.height);
  } catch (const std::bad_alloc&) {
    failWith(3, "no memory for the pixels", "loadImageToMem", file);
    return 0;
  }
  width = image.width;
  height = image.height;
  const unsigned char* p = image.pixels;
  for (size_t i = 0; i < pixels.size(); ++i, p += 4) {
    pixels[i] = int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
  }
  return 1;
}

int loadImageToMem(TextRef fileRef, int& width, int& height, RtArray<int32_t>& pixels) {
  const char* file = fileRef;
  if (!pixels.data) {
    pixels(0);  // reports the access and ends the program
    return 0;
  }
  std::vector<int32_t> decoded;
  int w = 0, h = 0;
  if (!loadImageToMem(file, w, h, decoded)) return 0;
  if (!pixels.dimension(int(decoded.size()))) return 0;
  std::copy(decoded.begin(), decoded.end(), pixels.data);
  width = w;
  height = h;
  return 1;
}

void loadBackground(TextRef fileRef) {
  const char* file = fileRef;
  OpenGLRainbows* r = runtimeObjects.renderer;
  if (!r) return;
  // The previous background's slot is given back before a new one is taken.
  removeBackground(*r);
  std::string name = file ? file : "";
  const int slot = findFreeSlot(*r);
  const char* why = slot < 0                  ? "no free sprite slot for it"
                    : !resolveFileName(name) ? kNotFound
                    : !loadImageFile(*r, slot, name.c_str(), kNoColourKey, false) ? kNotAnImage
                                                                                  : nullptr;
  if (why) {
    failWith(3, why, "loadBackground", file);
    clearScreen(0);
    return;
  }
  showBackground(*r, slot);
}

void saveSprite(TextRef fileRef, int slot) {
  const char* file = fileRef;
  OpenGLRainbows* r = runtimeObjects.renderer;
  std::vector<uint8_t> rgba;
  int width = 0, height = 0;
  DecodedImage image;
  if (!r || !readSlotImage(*r, slot, rgba, width, height) || !image.prepare(width, height)) {
    failWith(3, "the slot holds no image", "saveSprite", file, slot);
    return;
  }
  // The texture holds the image bottom row first; files want it upright.
  for (int y = 0; y < height; ++y) {
    std::copy_n(&rgba[size_t(height - 1 - y) * width * 4], size_t(width) * 4, image.row(y));
  }
  if (!saveImage(file ? file : "", image)) failWith(3, "the file cannot be written", "saveSprite", file, slot);
}

void saveScreen(TextRef fileRef) {
  const char* file = fileRef;
  OpenGLRainbows* r = runtimeObjects.renderer;
  DecodedImage image;
  if (!r || !image.prepare(r->windowWidth, r->windowHeight)) {
    failWith(3, "no memory for the screen's pixels", "saveScreen", file);
    return;
  }
  std::vector<uint8_t> rows;
  try {
    rows.resize(size_t(r->windowWidth) * r->windowHeight * 4);
  } catch (const std::bad_alloc&) {
    failWith(3, "no memory for the screen's pixels", "saveScreen", file);
    return;
  }
  flushDrawBatch();
  platform::readFramePixels(0, 0, r->windowWidth, r->windowHeight, GL_RGBA, 1, rows.data());
  const size_t rowBytes = size_t(r->windowWidth) * 4;
  for (int y = 0; y < r->windowHeight; ++y) {
    unsigned char* out = image.row(y);
    std::copy_n(&rows[size_t(r->windowHeight - 1 - y) * rowBytes], rowBytes, out);
    for (size_t i = 3; i < rowBytes; i += 4) out[i] = 255;  // the screen is opaque
  }
  if (!saveImage(file ? file : "", image)) failWith(3, "the file cannot be written", "saveScreen", file);
}

}  // namespace mvn
