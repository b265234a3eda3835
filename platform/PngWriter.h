#pragma once
#include <cstdint>
#include <string>

// PNG files for screenshots and contact sheets.
namespace zb {

// Writes width x height pixels to a PNG file. `pixels` holds rows top to
// bottom, `stride` bytes apart, each pixel blue, green, red (3 bytes) or,
// with alpha, blue, green, red, alpha (4 bytes, 255 opaque). The parent
// folder is created. False when the file cannot be written.
bool writePng(const std::string& path, int width, int height, const uint8_t* pixels, int stride, bool alpha);

}  // namespace zb
