/// @file
/// Sprite slots: loading images and animations from files, images to and
/// from arrays of pixels and the screen, saving images, the transparent
/// colour, and carrying images over a change of display.
///
/// Slots are numbered 0 to 65536; 65504 to 65535 hold the fonts' images
/// (font f in slot 65504 + f). A file name may name a file on disk (relative
/// to the current directory, "/" or "\" as separator), a member of the
/// program's archive (found by its base name, any case) or an in-memory
/// name ("mem://..."). Images are PNG, JPEG or BMP.
///
/// The transparent colour: in images without an alpha channel (BMP, JPEG,
/// PNG without alpha), pixels of the transparent colour become fully
/// transparent (see setTransparency()).
///
/// Packed pixels in arrays: red + 256 x green + 65536 x blue + 16777216 x
/// alpha (alpha in bits 24-31, 255 opaque).
#pragma once

#include <cstdint>

#include "morvane/arrays.h"
#include "morvane/text.h"

namespace mvn {

/// @name Loading
/// @{

/// Loads an image file into a slot, replacing what the slot held; its frame
/// size is kept.
/// @param file the file's name; empty: the slot is just emptied
/// @param slot the slot, 0 to 65536
/// @note Sets ::kErrorNoSuchFile (slot left empty) when the file cannot be
///       found or decoded, ::kErrorOutOfRange for a slot outside 0..65536.
void loadSprite(TextRef file, int slot);
/// Loads an image file as an animation: the image cut into frames of the
/// given size, numbered from 0 left to right, then top to bottom.
/// @param file the file's name @param slot the slot, 0 to 65536
/// @param frameWidth width of one frame in pixels, 0 to 32767
/// @param frameHeight height of one frame in pixels, 0 to 32767
/// @note Errors as loadSprite().
void loadAnim(TextRef file, int slot, int frameWidth, int frameHeight);
/// Loads an image file into a slot as a bump map (for the 3D engine's
/// materials); drawn like any sprite.
/// @param file the file's name @param slot the slot, 0 to 65536
/// @note Errors as loadSprite().
void loadBumpTexture(TextRef file, int slot);
/// Gives a loaded image a frame size, making it an animation.
/// @param slot the slot (an empty slot is left alone)
/// @param frameWidth width of one frame in pixels, 0 to 32767
/// @param frameHeight height of one frame in pixels, 0 to 32767
/// @note Sets ::kErrorOutOfRange for a size outside 0..32767.
void setAnimFrameSize(int slot, int frameWidth, int frameHeight);
/// The colour that becomes transparent in images loaded afterwards (and in
/// fonts); 0x8000FF at start.
/// @param colour packed colour; -1: no colour becomes transparent
void setTransparency(int colour);
/// The size of a slot's image.
/// @param slot the slot
/// @param[out] width width in pixels, 0 for an empty slot or a number outside 0..65536
/// @param[out] height height in pixels, 0 likewise
void getSpriteSize(int slot, int& width, int& height);
/// The size of a slot's image, as numbers.
/// @param slot the slot @param[out] width width in pixels @param[out] height height in pixels
void getSpriteSize(int slot, double& width, double& height);
/// @}

/// @name Pixels
/// @{

/// Decodes an image file, as loadSprite() does, into an array of packed
/// pixels instead of a slot.
/// @param file the file's name
/// @param[out] width the image's width @param[out] height the image's height
/// @param[out] pixels dimensioned to width x height; element 0 is the
///        top-left pixel, rows from the top
/// @return 1, or 0 with ::kErrorNoSuchFile when the file cannot be found or decoded
int loadImageToMem(TextRef file, int& width, int& height, RtArray<int32_t>& pixels);
/// Makes a slot's image from packed pixels.
/// @param pixels width x height packed pixels, element 0 the top-left
///        pixel, rows from the top
/// @param slot the slot, 0 to 65536
/// @param width width in pixels, at least 1 @param height height, at least 1
/// @return 1; 0 when the array does not hold width x height elements, a side
///         is not positive or the upload fails; ::kErrorOutOfRange for a slot
///         outside 0..65536
int memToSprite(const RtArray<int32_t>& pixels, int slot, int width, int height);
/// Reads a slot's image back into packed pixels.
/// @param[out] pixels dimensioned to width x height; element 0 is the
///        bottom-left pixel, rows going upwards
/// @param slot the slot
/// @return 1, or 0 for an empty slot (pixels untouched)
int spriteToMem(RtArray<int32_t>& pixels, int slot);
/// Copies a rectangle of the screen drawn so far into a slot, as an opaque
/// image; the slot's frame size becomes 0.
/// @param slot the slot, 0 to 65536
/// @param x left edge @param y top edge (program coordinates)
/// @param width width, at least 1 @param height height, at least 1
/// @note Sets ::kErrorOutOfRange for a slot outside 0..65536 or a side below 1.
void grabSprite(int slot, int x, int y, int width, int height);
/// @}

/// @name Saving
/// @{

/// Saves a slot's image to a file; the format follows the name's ending:
/// ".png" an RGBA PNG, ".jpg" a quality-80 JPEG (alpha dropped), anything
/// else a 24-bit BMP. An existing file of the name is replaced.
/// @param file the file's name (not an in-memory name) @param slot the slot
/// @note Sets ::kErrorNoSuchFile when nothing is saved (empty slot,
///       unwritable name).
void saveSprite(TextRef file, int slot);
/// Saves the whole window as drawn so far to a file, as saveSprite() does.
/// @param file the file's name
/// @note Sets ::kErrorNoSuchFile when nothing is saved.
void saveScreen(TextRef file);
/// @}

/// Carries every slot's image over a change of display that loses them:
/// save before, restore after. The images go through a temporary file of
/// this run's own, removed by the restore and at the end.
/// @param restore 0 saves, any other value restores
/// @return 1 when the backup file could be created (save) or opened
///         (restore), else 0
int backupTextures(int restore);

}  // namespace mvn
