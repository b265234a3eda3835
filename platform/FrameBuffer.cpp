#include "platform/FrameBuffer.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace zb {

FrameBuffer::FrameBuffer(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * height_, 0) {}

void FrameBuffer::blit(const PixelSource& src, int srcX, int srcY, int width, int height, int dstX, int dstY) {
  if (!src.bottomRow || width <= 0 || height <= 0) return;
  // Clip against the source, then against the window, moving both origins together.
  if (srcX < 0) { width += srcX; dstX -= srcX; srcX = 0; }
  if (srcY < 0) { height += srcY; dstY -= srcY; srcY = 0; }
  if (dstX < 0) { width += dstX; srcX -= dstX; dstX = 0; }
  if (dstY < 0) { height += dstY; srcY -= dstY; dstY = 0; }
  width = std::min({width, src.width - srcX, width_ - dstX});
  height = std::min({height, src.height - srcY, height_ - dstY});
  if (width <= 0 || height <= 0) return;
  // Only what really changed is marked: a screen redraws whole clips, and
  // much of what it redraws comes out as it was (a scrolling line of text
  // leaves the rows above and below its letters alone).
  int left = width, right = 0, top = height, bottom = 0;
  for (int r = 0; r < height; ++r) {
    const uint8_t* in = src.bottomRow + static_cast<ptrdiff_t>(src.height - 1 - (srcY + r)) * src.stride + srcX * 3;
    uint32_t* out = pixels_.data() + static_cast<size_t>(dstY + r) * width_ + dstX;
    int first = width, last = -1;
    // Four pixels are exactly three 32-bit words; the rest go one by one.
    int c = 0;
    for (; c + 4 <= width; c += 4, in += 12) {
      uint32_t a, b, d;
      std::memcpy(&a, in, 4);
      std::memcpy(&b, in + 4, 4);
      std::memcpy(&d, in + 8, 4);
      const uint32_t p0 = a & 0xFFFFFF, p1 = (a >> 24) | (b & 0xFFFF) << 8;
      const uint32_t p2 = (b >> 16) | (d & 0xFF) << 16, p3 = d >> 8;
      if ((out[c] ^ p0) | (out[c + 1] ^ p1) | (out[c + 2] ^ p2) | (out[c + 3] ^ p3)) {
        first = std::min(first, c);
        last = c + 3;
      }
      out[c] = p0;
      out[c + 1] = p1;
      out[c + 2] = p2;
      out[c + 3] = p3;
    }
    for (; c < width; ++c, in += 3) {
      const uint32_t p = static_cast<uint32_t>(in[0]) | static_cast<uint32_t>(in[1]) << 8 | static_cast<uint32_t>(in[2]) << 16;
      if (out[c] != p) {
        first = std::min(first, c);
        last = c;
      }
      out[c] = p;
    }
    if (last < 0) continue;
    left = std::min(left, first);
    right = std::max(right, last + 1);
    top = std::min(top, r);
    bottom = r + 1;
  }
  if (right > left) markDirty(dstX + left, dstY + top, dstX + right, dstY + bottom);
}

void FrameBuffer::clear(uint32_t colour) {
  std::fill(pixels_.begin(), pixels_.end(), colour & 0xFFFFFF);
  markDirty(0, 0, width_, height_);
}

std::vector<FrameBuffer::Rect> FrameBuffer::takeDirty() {
  std::vector<Rect> taken;
  taken.swap(dirty_);
  return taken;
}

std::vector<uint8_t> FrameBuffer::toRgb() const {
  std::vector<uint8_t> rgb(pixels_.size() * 3);
  for (size_t i = 0; i < pixels_.size(); ++i) {
    rgb[i * 3] = static_cast<uint8_t>(pixels_[i] >> 16);
    rgb[i * 3 + 1] = static_cast<uint8_t>(pixels_[i] >> 8);
    rgb[i * 3 + 2] = static_cast<uint8_t>(pixels_[i]);
  }
  return rgb;
}

void FrameBuffer::markDirty(int left, int top, int right, int bottom) {
  Rect r{left, top, right, bottom};
  // Areas that overlap or touch become one, so each pixel is sent once.
  for (size_t i = 0; i < dirty_.size();) {
    const Rect& d = dirty_[i];
    bool xCross = d.left < r.right && r.left < d.right, xTouch = d.left <= r.right && r.left <= d.right;
    bool yCross = d.top < r.bottom && r.top < d.bottom, yTouch = d.top <= r.bottom && r.top <= d.bottom;
    if ((xCross && yTouch) || (yCross && xTouch)) {
      r = Rect{std::min(r.left, d.left), std::min(r.top, d.top), std::max(r.right, d.right),
               std::max(r.bottom, d.bottom)};
      dirty_.erase(dirty_.begin() + static_cast<ptrdiff_t>(i));
      i = 0;
    } else {
      ++i;
    }
  }
  dirty_.push_back(r);
  if (dirty_.size() <= kMaxDirty) return;
  Rect box = dirty_.front();
  for (const Rect& d : dirty_)
    box = Rect{std::min(box.left, d.left), std::min(box.top, d.top), std::max(box.right, d.right),
               std::max(box.bottom, d.bottom)};
  dirty_.assign(1, box);
}

}  // namespace zb
