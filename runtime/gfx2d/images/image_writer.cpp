#include "runtime/gfx2d/images/image_writer.h"

#include <cctype>
#include <cstring>
#include <vector>

#include "runtime/files/rt_file.h"
#include "runtime/gfx2d/images/image_codec_errors.h"

namespace mvn {
namespace {

enum class ImageFormat { Png, Jpeg, Bmp };

ImageFormat formatForName(const char* name) {
  const size_t length = std::strlen(name);
  if (length <= 4 || name[length - 4] != '.') return ImageFormat::Bmp;
  char extension[4];
  for (int i = 0; i < 3; ++i) {
    extension[i] = char(std::tolower(static_cast<unsigned char>(name[length - 3 + i])));
  }
  extension[3] = '\0';
  if (std::strcmp(extension, "png") == 0) return ImageFormat::Png;
  if (std::strcmp(extension, "jpg") == 0) return ImageFormat::Jpeg;
  return ImageFormat::Bmp;
}

// ---- PNG ----

void pngWriteToFile(png_structp png, png_bytep data, png_size_t length) {
  if (!static_cast<RtFile*>(png_get_io_ptr(png))->write(data, int64_t(length))) {
    png_error(png, "Write Error");
  }
}
void pngFlushNothing(png_structp) {}

struct PngWrite {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~PngWrite() {
    if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
  }
};

// Library errors longjmp back here, so nothing in this frame needs a destructor.
bool writeWithLibrary(PngWrite& w, RtFile& file, const DecodedImage& image) {
  if (setjmp(png_jmpbuf(w.png))) return false;
  png_set_write_fn(w.png, &file, pngWriteToFile, pngFlushNothing);
  png_set_IHDR(w.png, w.info, png_uint_32(image.width), png_uint_32(image.height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(w.png, w.info);
  for (int32_t y = 0; y < image.height; ++y) {
    png_write_row(w.png, const_cast<png_bytep>(image.row(y)));
  }
  png_write_end(w.png, nullptr);
  return true;
}

bool writePng(RtFile& file, const DecodedImage& image) {
  PngWrite w;
  w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, pngErrorToLog, pngIgnoreWarning);
  if (!w.png) return false;
  w.info = png_create_info_struct(w.png);
  return w.info && writeWithLibrary(w, file, image);
}

// ---- JPEG ----

constexpr size_t kDestinationChunk = 4096;

struct FileDestination {
  jpeg_destination_mgr manager;  // first: the library's destination pointer points here
  RtFile* file = nullptr;
  JOCTET buffer[kDestinationChunk];
};

void initDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<FileDestination*>(cinfo->dest);
  dest->manager.next_output_byte = dest->buffer;
  dest->manager.free_in_buffer = kDestinationChunk;
}

boolean emptyOutputBuffer(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<FileDestination*>(cinfo->dest);
  if (!dest->file->write(dest->buffer, int64_t(kDestinationChunk))) ERREXIT(cinfo, JERR_FILE_WRITE);
  initDestination(cinfo);
  return TRUE;
}

void termDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<FileDestination*>(cinfo->dest);
  const int64_t count = int64_t(kDestinationChunk - dest->manager.free_in_buffer);
  if (count > 0 && !dest->file->write(dest->buffer, count)) ERREXIT(cinfo, JERR_FILE_WRITE);
}

struct JpegWrite {
  JpegErrorTrap trap;
  FileDestination destination;
  jpeg_compress_struct cinfo;
  bool created = false;
  std::vector<unsigned char> scanline;
  ~JpegWrite() {
    if (created) jpeg_destroy_compress(&cinfo);
  }
};

// Library errors longjmp back here, so nothing in this frame needs a destructor.
bool writeWithLibrary(JpegWrite& w, RtFile& file, const DecodedImage& image) {
  jpeg_compress_struct& cinfo = w.cinfo;
  cinfo.err = installJpegErrorTrap(w.trap);
  if (setjmp(w.trap.jump)) return false;
  jpeg_create_compress(&cinfo);
  w.created = true;
  w.destination.file = &file;
  w.destination.manager.init_destination = initDestination;
  w.destination.manager.empty_output_buffer = emptyOutputBuffer;
  w.destination.manager.term_destination = termDestination;
  cinfo.dest = &w.destination.manager;

  cinfo.image_width = JDIMENSION(image.width);
  cinfo.image_height = JDIMENSION(image.height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 80, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  unsigned char* rgb = w.scanline.data();
  while (cinfo.next_scanline < cinfo.image_height) {
    const unsigned char* in = image.row(int32_t(cinfo.next_scanline));
    for (int32_t x = 0; x < image.width; ++x) {
      for (int c = 0; c < 3; ++c) rgb[x * 3 + c] = in[x * 4 + c];
    }
    JSAMPROW row = rgb;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  return true;
}

bool writeJpeg(RtFile& file, const DecodedImage& image) {
  JpegWrite w;
  w.scanline.resize(size_t(image.width) * 3);
  return writeWithLibrary(w, file, image);
}

// ---- BMP ----

void put16(unsigned char* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}
void put32(unsigned char* p, uint32_t v) {
  put16(p, v);
  put16(p + 2, v >> 16);
}

bool writeBmp(RtFile& file, const DecodedImage& image) {
  const int64_t rowBytes = (int64_t(image.width) * 3 + 3) & ~int64_t(3);
  const int64_t fileSize = 54 + rowBytes * image.height;
  unsigned char header[54] = {'B', 'M'};
  put32(header + 2, uint32_t(fileSize));  // reserved fields stay 0
  put32(header + 10, 54);
  put32(header + 14, 40);
  put32(header + 18, uint32_t(image.width));
  put32(header + 22, uint32_t(image.height));
  put16(header + 26, 1);
  put16(header + 28, 24);
  put32(header + 38, 10000);
  put32(header + 42, 10000);
  bool ok = file.write(header, sizeof header);
  // Rows bottom-up, pixels blue, green, red, rows padded to 4 bytes with 0.
  std::vector<unsigned char> row(size_t(rowBytes), 0);
  for (int32_t y = image.height - 1; y >= 0; --y) {
    const unsigned char* in = image.row(y);
    for (int32_t x = 0; x < image.width; ++x) {
      row[size_t(x) * 3 + 0] = in[x * 4 + 2];
      row[size_t(x) * 3 + 1] = in[x * 4 + 1];
      row[size_t(x) * 3 + 2] = in[x * 4 + 0];
    }
    ok = ok && file.write(row.data(), rowBytes);
  }
  return ok;
}

}  // namespace

bool saveImage(const char* name, const DecodedImage& image) {
  if (!name || !image.pixels || image.width < 1 || image.height < 1) return false;
  RtFile file;
  if (!file.openWrite(name)) return false;  // also refuses in-memory names
  bool ok = false;
  switch (formatForName(name)) {
    case ImageFormat::Png: ok = writePng(file, image); break;
    case ImageFormat::Jpeg: ok = writeJpeg(file, image); break;
    case ImageFormat::Bmp: ok = writeBmp(file, image); break;
  }
  file.close();
  return ok;
}

}  // namespace mvn
