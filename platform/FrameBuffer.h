#pragma once
#include <cstdint>
#include <vector>

#include "platform/PlatformWindow.h"

namespace zb {

// The window content kept in main memory as 0x00RRGGBB pixels, rows top
// down, plus the areas that changed since they were last taken.
class FrameBuffer {
public:
  FrameBuffer(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  const uint32_t* pixels() const { return pixels_.data(); }
  const uint32_t* row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }

  // Copies a rectangle of a bottom-up 24-bit source, clipped on both sides.
  void blit(const PixelSource& src, int srcX, int srcY, int width, int height, int dstX, int dstY);
  void clear(uint32_t colour);

  struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
  };
  // The areas changed since the last call, none overlapping or touching
  // another; past kMaxDirty areas they become their bounding box.
  std::vector<Rect> takeDirty();
  bool isDirty() const { return !dirty_.empty(); }
  static constexpr size_t kMaxDirty = 16;

  // 8-bit RGB triples, rows top down (for PNG files).
  std::vector<uint8_t> toRgb() const;

private:
  void markDirty(int left, int top, int right, int bottom);

  int width_;
  int height_;
  std::vector<uint32_t> pixels_;
  std::vector<Rect> dirty_;
};

}  // namespace zb
