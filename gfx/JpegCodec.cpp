#include "gfx/JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

#include "platform/Files.h"

// libjpeg reports errors through a callback that must not return. It jumps
// back to the set-up point of the decode or encode, which frees libjpeg's
// state and returns false; the process never exits on a bad stream. The
// functions that hold the jump point keep no objects with destructors.
namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

[[noreturn]] void onError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1); }

void onMessage(j_common_ptr) {}

// Makes sure the image has the JPEG's size; re-creates it when not.
bool prepareImage(OBitmap& image, int width, int height, const std::shared_ptr<DibSection>& section) {
  if (width < 1 || height < 1 || width > zb::kMaxJpegSide || height > zb::kMaxJpegSide) return false;
  if (image.valid() && image.width() == width && image.height() == height) return true;
  return image.create(width, height, -1, section);
}

// JPEG rows arrive red, green, blue; memory holds blue, green, red.
void storeRow(OBitmap& image, int row, const uint8_t* rgb) {
  uint8_t* d = image.rowAddress(row);
  for (int x = 0; x < image.width(); ++x, d += 3, rgb += 3) {
    d[0] = rgb[2];
    d[1] = rgb[1];
    d[2] = rgb[0];
  }
}

bool decodeStream(OBitmap& image, const uint8_t* bytes, size_t length, FILE* file,
                  const std::shared_ptr<DibSection>& section) {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = onError;
  err.pub.output_message = onMessage;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  if (file)
    jpeg_stdio_src(&cinfo, file);
  else
    jpeg_mem_src(&cinfo, bytes, static_cast<unsigned long>(length));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  if (!prepareImage(image, int(cinfo.image_width), int(cinfo.image_height), section)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_start_decompress(&cinfo);
  if (cinfo.output_components != 3 || int(cinfo.output_width) != image.width() ||
      int(cinfo.output_height) != image.height()) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                              cinfo.output_width * 3, 1);
  while (cinfo.output_scanline < cinfo.output_height) {
    const int r = int(cinfo.output_scanline);
    if (jpeg_read_scanlines(&cinfo, row, 1) != 1) break;
    storeRow(image, r, row[0]);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

// Compresses into a malloc'ed buffer that the caller frees.
bool encodeStream(const OBitmap& image, int quality, unsigned char** buffer, unsigned long* size) {
  jpeg_compress_struct cinfo;
  ErrorManager err;
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = onError;
  err.pub.output_message = onMessage;
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, buffer, size);
  cinfo.image_width = JDIMENSION(image.width());
  cinfo.image_height = JDIMENSION(image.height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality < 1 ? 1 : (quality > 100 ? 100 : quality), TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                              cinfo.image_width * 3, 1);
  while (cinfo.next_scanline < cinfo.image_height) {
    const uint8_t* s = image.rowAddress(int(cinfo.next_scanline));
    for (int x = 0; x < image.width(); ++x) {
      row[0][x * 3] = s[x * 3 + 2];
      row[0][x * 3 + 1] = s[x * 3 + 1];
      row[0][x * 3 + 2] = s[x * 3];
    }
    jpeg_write_scanlines(&cinfo, row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

}  // namespace

bool OBitmap::decodeJpeg(OBitmap& image, const uint8_t* bytes, size_t length, std::shared_ptr<DibSection> section) {
  if (!bytes || length == 0) return false;
  return decodeStream(image, bytes, length, nullptr, section);
}

bool OBitmap::loadJpegFile(OBitmap& image, const std::string& fileName, std::shared_ptr<DibSection> section) {
  FILE* f = zb::openFile(fileName, "rb");
  if (!f) return false;
  const bool ok = decodeStream(image, nullptr, 0, f, section);
  std::fclose(f);
  return ok;
}

namespace zb {

bool encodeJpeg(const OBitmap& image, int quality, std::vector<uint8_t>& out) {
  if (!image.valid()) return false;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool ok = encodeStream(image, quality, &buffer, &size);
  if (ok) out.assign(buffer, buffer + size);
  std::free(buffer);
  return ok;
}

}  // namespace zb
