#include "runtime/gfx2d/images/decode_jpeg.h"

#include <cstdlib>
#include <string>

#include "runtime/core/log.h"
#include "runtime/gfx2d/images/image_codec_errors.h"
#include "runtime/gfx2d/images/image_file.h"

namespace mvn {
namespace {

constexpr int64_t kSourceChunk = 4096;

// The library's data source over the file's bytes, handed over a chunk at a
// time as from a stream.
struct FileSource {
  jpeg_source_mgr manager;  // first: the library's source pointer points here
  ImageBytes* file = nullptr;
  JOCTET buffer[kSourceChunk];
};

void initSource(j_decompress_ptr) {}
void termSource(j_decompress_ptr) {}

boolean fillInputBuffer(j_decompress_ptr cinfo) {
  auto* src = reinterpret_cast<FileSource*>(cinfo->src);
  ImageBytes& file = *src->file;
  int64_t count = file.position < file.getSize() ? file.getSize() - file.position : 0;
  if (count > kSourceChunk) count = kSourceChunk;
  if (count == 0 || !readExactly(file, src->buffer, count)) {
    // Out of data: warn and end the image with an inserted end marker, as
    // the library's own file source does.
    WARNMS(cinfo, JWRN_JPEG_EOF);
    src->buffer[0] = 0xFF;
    src->buffer[1] = JPEG_EOI;
    count = 2;
  }
  src->manager.next_input_byte = src->buffer;
  src->manager.bytes_in_buffer = size_t(count);
  return TRUE;
}

void skipInputData(j_decompress_ptr cinfo, long count) {
  auto* src = reinterpret_cast<FileSource*>(cinfo->src);
  if (count <= 0) return;
  if (size_t(count) <= src->manager.bytes_in_buffer) {
    src->manager.next_input_byte += count;
    src->manager.bytes_in_buffer -= size_t(count);
    return;
  }
  const int64_t beyond = int64_t(count) - int64_t(src->manager.bytes_in_buffer);
  src->file->seek(src->file->position + beyond);
  src->manager.bytes_in_buffer = 0;
}

// Everything one decoding holds; released in every outcome.
struct JpegRead {
  ImageBytes file;
  JpegErrorTrap trap;
  FileSource source;
  jpeg_decompress_struct cinfo;
  bool created = false;
  unsigned char* scanline = nullptr;

  explicit JpegRead(const ImageFile& source) : file(source) {}
  ~JpegRead() {
    if (created) jpeg_destroy_decompress(&cinfo);
    std::free(scanline);
  }
};

// Huffman-coded data spends at least one bit on every block of every
// component, so a header that promises more blocks than the file has bits
// cannot be honest; this keeps hostile headers from claiming large buffers.
bool blocksFitInFile(const jpeg_decompress_struct& cinfo, int64_t fileBytes) {
  if (cinfo.arith_code) return true;
  int64_t blocks = 0;
  for (int c = 0; c < cinfo.num_components; ++c) {
    blocks += int64_t(cinfo.comp_info[c].width_in_blocks) * cinfo.comp_info[c].height_in_blocks;
  }
  return blocks <= fileBytes * 8;
}

void convertRow(const unsigned char* in, unsigned char* out, int32_t width, int components) {
  for (int32_t x = 0; x < width; ++x, in += components, out += 4) {
    if (components == 1) {
      out[0] = out[1] = out[2] = in[0];
      out[3] = 255;
    } else {
      out[0] = in[0];
      out[1] = in[1];
      out[2] = in[2];
      out[3] = components == 4 ? in[3] : 255;
    }
  }
}

// The library's steps. Library errors longjmp back here, so nothing in
// this frame needs a destructor.
bool decodeWithLibrary(JpegRead& s, DecodedImage& image) {
  jpeg_decompress_struct& cinfo = s.cinfo;
  cinfo.err = installJpegErrorTrap(s.trap);
  if (setjmp(s.trap.jump)) return false;

  jpeg_create_decompress(&cinfo);
  s.created = true;
  s.source.file = &s.file;
  s.source.manager.init_source = initSource;
  s.source.manager.fill_input_buffer = fillInputBuffer;
  s.source.manager.skip_input_data = skipInputData;
  s.source.manager.resync_to_restart = jpeg_resync_to_restart;
  s.source.manager.term_source = termSource;
  s.source.manager.bytes_in_buffer = 0;
  s.source.manager.next_input_byte = nullptr;
  cinfo.src = &s.source.manager;

  jpeg_read_header(&cinfo, TRUE);
  const int components = cinfo.num_components;
  if (components != 1 && components != 3 && components != 4) {
    logLine(("JPEG: Channels: " + std::to_string(components) + " not supported!\n").c_str());
    return false;
  }
  if (cinfo.image_width > JDIMENSION(imageSideLimit) ||
      cinfo.image_height > JDIMENSION(imageSideLimit) ||
      !blocksFitInFile(cinfo, s.file.getSize())) {
    return false;
  }
  cinfo.do_fancy_upsampling = FALSE;
  jpeg_start_decompress(&cinfo);

  const int32_t width = int32_t(cinfo.output_width);
  const int32_t height = int32_t(cinfo.output_height);
  const int outComponents = cinfo.output_components;
  if (outComponents != components || !image.prepare(width, height)) return false;
  s.scanline = static_cast<unsigned char*>(std::malloc(size_t(width) * outComponents));
  if (!s.scanline) return false;
  while (cinfo.output_scanline < cinfo.output_height) {
    const int32_t y = int32_t(cinfo.output_scanline);
    JSAMPROW row = s.scanline;
    if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) return false;
    convertRow(s.scanline, image.row(y), width, outComponents);
  }
  jpeg_finish_decompress(&cinfo);
  image.alphaFromFile = components == 4 ? 1 : 0;
  return true;
}

}  // namespace

bool decodeJpeg(DecodedImage& image, const ImageFile& file) {
  JpegRead s(file);
  const bool ok = decodeWithLibrary(s, image);
  if (!ok) image.clear();
  return ok;
}

bool decodeJpeg(DecodedImage& image, const char* name) {
  ImageFile file;
  if (readImageFile(name, file)) return decodeJpeg(image, file);
  image.clear();
  return false;
}

}  // namespace mvn
