#pragma once
#include <cstdint>
#include <string>

// PNG files for screenshots and contact sheets.
namespace zb {

// Writes width x height pixels to a PNG file. `pixels` holds rows top to
// bottom, `stride` bytes apart, each pixel blue, green, red (3 bytes) or,
// with alpha, blue, green, red, alpha (4 bytes, 255 opaque). The path is
// used as it is written; its folder is created. The file is replaced whole
// (see replaceFile): false, leaving any old file intact, when it cannot be
// written completely.
bool writePng(const std::string& path, int width, int height, const uint8_t* pixels, int stride, bool alpha);

}  // namespace zb
