#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// One block of 24-bit pixel memory that can hold several images side by
// side. Rows are stored bottom-up: image row r lives at memory row
// height - 1 - r. One spare row sits above the image rows (memory row
// `height`); it is never part of an image, text drawing may touch it and the
// window copy skips it. Pixels are blue, green, red.
class DibSection {
public:
  // Largest side accepted, and the largest pixel store, so absurd sizes fail
  // cleanly instead of exhausting memory.
  static constexpr int kMaxSide = 16384;
  static constexpr size_t kMaxBytes = size_t(512) << 20;

  // A section of width x height image pixels (plus the spare row), cleared to
  // black; nullptr when a side is outside 1..kMaxSide, the store would exceed
  // kMaxBytes or memory runs out.
  static std::shared_ptr<DibSection> make(int width, int height);

  // Bytes per row: (width * 24 + 31) rounded down to a multiple of 32, over 8.
  static int strideFor(int width) { return ((width * 24 + 31) & ~31) / 8; }

  int nextFreeX = 0;  // where the next image placed here starts
  int width = 0;
  int height = 0;
  int users = 0;      // images placed here and not yet deleted
  int rowStride = 0;
  uint8_t* pixels = nullptr;  // memory row 0 (the bottom image row)

  // First byte of image row r (0 at the top), column 0.
  uint8_t* row(int imageRow) { return pixels + size_t(height - 1 - imageRow) * size_t(rowStride); }
  const uint8_t* row(int imageRow) const {
    return pixels + size_t(height - 1 - imageRow) * size_t(rowStride);
  }
  // The spare row above image row 0.
  uint8_t* spareRow() { return pixels + size_t(height) * size_t(rowStride); }
  // Bytes of pixel memory including the spare row.
  size_t byteSize() const { return size_t(height + 1) * size_t(rowStride); }

private:
  std::vector<uint8_t> memory_;
};
