#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/OBitmap.h"

// JPEG compression for tools that write clips. Decoding is OBitmap's
// (loadJpegFile, decodeJpeg).
namespace zb {

// Largest JPEG side decoded; larger streams are refused before any pixel
// memory is taken.
constexpr int kMaxJpegSide = 8192;

// Compresses the image's pixels (quality 1..100). False for an invalid
// image or a libjpeg error.
bool encodeJpeg(const OBitmap& image, int quality, std::vector<uint8_t>& out);

}  // namespace zb
