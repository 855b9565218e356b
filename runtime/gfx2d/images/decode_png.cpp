#include "runtime/gfx2d/images/decode_png.h"

#include <cstdlib>

#include "runtime/gfx2d/images/image_codec_errors.h"
#include "runtime/gfx2d/images/image_file.h"

namespace mvn {
namespace {

// Deflate never expands data by more than 1032 to 1, so a header that
// promises more raw bytes than that from the whole file is a lie.
constexpr uint64_t kMaxInflateRatio = 1032;

// Everything one decoding holds; released in every outcome.
struct PngRead {
  ImageBytes file;
  png_structp png = nullptr;
  png_infop info = nullptr;
  unsigned char* rows = nullptr;
  png_bytep* rowPointers = nullptr;

  explicit PngRead(const ImageFile& source) : file(source) {}
  ~PngRead() {
    if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    std::free(rows);
    std::free(rowPointers);
  }
};

void readFromFile(png_structp png, png_bytep data, png_size_t length) {
  auto* file = static_cast<ImageBytes*>(png_get_io_ptr(png));
  if (!readExactly(*file, data, int64_t(length))) png_error(png, "Read Error");
}

// The library's steps, from the header to the converted pixels. Library
// errors longjmp back here, so nothing in this frame needs a destructor.
bool decodeWithLibrary(PngRead& s, DecodedImage& image, const char* name, int32_t key) {
  if (setjmp(png_jmpbuf(s.png))) return false;

  png_read_info(s.png, s.info);
  const png_uint_32 width = png_get_image_width(s.png, s.info);
  const png_uint_32 height = png_get_image_height(s.png, s.info);
  const int colourType = png_get_color_type(s.png, s.info);
  const int fileDepth = png_get_bit_depth(s.png, s.info);
  if (width < 1 || height < 1 || width > png_uint_32(imageSideLimit) ||
      height > png_uint_32(imageSideLimit)) {
    return false;
  }
  const uint64_t rawBytes = uint64_t(width) * height * png_get_channels(s.png, s.info) * fileDepth / 8;
  if (rawBytes > kMaxInflateRatio * uint64_t(s.file.getSize())) return false;

  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_expand(s.png);
  if (colourType == PNG_COLOR_TYPE_GRAY && fileDepth < 8) png_set_expand(s.png);
  if (png_get_valid(s.png, s.info, PNG_INFO_tRNS)) png_set_expand(s.png);
  if (fileDepth == 16) png_set_strip_16(s.png);
  if (fileDepth < 8) png_set_packing(s.png);
  png_set_interlace_handling(s.png);
  png_read_update_info(s.png, s.info);

  const int channels = png_get_channels(s.png, s.info);
  const int depth = png_get_bit_depth(s.png, s.info);
  const int resultType = png_get_color_type(s.png, s.info);
  if (channels != 1 && channels != 3 && channels != 4) return false;  // gray with alpha
  if (depth != 8) {
    std::printf("File %s has bit depth %d.\n", name, depth);
    std::printf("Only bit depth of 8 is supported.\n");
    return false;
  }
  if (resultType != PNG_COLOR_TYPE_GRAY && resultType != PNG_COLOR_TYPE_RGB &&
      resultType != PNG_COLOR_TYPE_RGB_ALPHA) {
    std::printf("File %s has unsupported color type.\n", name);
    std::printf("Types GRAY, RGB and RGB_ALPHA are supported.\n");
    return false;
  }

  const size_t rowBytes = png_get_rowbytes(s.png, s.info);
  s.rows = static_cast<unsigned char*>(std::malloc(rowBytes * height + 72));
  s.rowPointers = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
  if (!s.rows || !s.rowPointers) return false;
  for (png_uint_32 y = 0; y < height; ++y) s.rowPointers[y] = s.rows + rowBytes * y;
  png_read_image(s.png, s.rowPointers);

  if (!image.prepare(int32_t(width), int32_t(height))) return false;
  for (png_uint_32 y = 0; y < height; ++y) {
    const unsigned char* in = s.rowPointers[y];
    unsigned char* out = image.row(int32_t(y));
    for (png_uint_32 x = 0; x < width; ++x, in += channels, out += 4) {
      if (channels == 1) {
        out[0] = out[1] = out[2] = in[0];
        out[3] = 255;
      } else if (channels == 3) {
        putKeyedPixel(out, key, in[0], in[1], in[2]);
      } else {
        for (int c = 0; c < 4; ++c) out[c] = in[c];
      }
    }
  }
  image.alphaFromFile = channels == 4 ? 1 : 0;
  return true;
}

constexpr png_alloc_size_t kChunkSizeLimit = 8 * 1024 * 1024;
constexpr png_byte kSkippedChunks[] = {
    'i', 'C', 'C', 'P', 0, 'i', 'T', 'X', 't', 0, 'p', 'C', 'A', 'L', 0, 's', 'C', 'A', 'L', 0,
    's', 'P', 'L', 'T', 0, 't', 'E', 'X', 't', 0, 'z', 'T', 'X', 't', 0, 'e', 'X', 'I', 'f', 0};

bool decodeBytes(PngRead& s, DecodedImage& image, const char* name, int32_t key) {
  unsigned char signature[4];
  // Byte 0 is left to the library, which checks the whole signature.
  if (!readExactly(s.file, signature, 4) || signature[1] != 'P' || signature[2] != 'N' ||
      signature[3] != 'G') {
    return false;
  }
  s.file.seek(0);
  s.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, pngErrorToLog, pngIgnoreWarning);
  if (!s.png) return false;
  s.info = png_create_info_struct(s.png);
  if (!s.info) return false;
  png_set_read_fn(s.png, &s.file, readFromFile);
  // Text, profiles and the other ancillary chunks that the library would
  // allocate whole by their claimed length are skipped unread: a hostile
  // header could otherwise ask for gigabytes. The pixels never need them.
  png_set_keep_unknown_chunks(s.png, PNG_HANDLE_CHUNK_NEVER, kSkippedChunks,
                              static_cast<int>(sizeof kSkippedChunks / 5));
  png_set_chunk_malloc_max(s.png, kChunkSizeLimit);
  return decodeWithLibrary(s, image, name, key);
}

}  // namespace

bool decodePng(DecodedImage& image, const ImageFile& file, int32_t key) {
  PngRead s(file);
  const bool ok = decodeBytes(s, image, file.name.c_str(), key);
  if (!ok) image.clear();
  return ok;
}

bool decodePng(DecodedImage& image, const char* name, int32_t key) {
  ImageFile file;
  if (readImageFile(name, file)) return decodePng(image, file, key);
  image.clear();
  return false;
}

}  // namespace mvn
