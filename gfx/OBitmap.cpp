#include "gfx/OBitmap.h"

#include <algorithm>
#include <cstring>

#include "gfx/OBlitCache.h"

OBitmapData::OBitmapData() = default;

OBitmapData::~OBitmapData() {
  if (section) --section->users;
}

OBitmap::OBitmap(const OBitmap& other) { *this = other; }

OBitmap& OBitmap::operator=(const OBitmap& other) {
  if (this == &other) return *this;
  data_ = other.data_;
  width_ = other.width_;
  height_ = other.height_;
  xOffset = other.xOffset;
  yOffset = other.yOffset;
  std::copy(std::begin(other.carried), std::end(other.carried), carried);
  failed = other.failed;
  fillColour = other.fillColour;
  blendLevel = other.blendLevel;
  action = other.action;
  arg1 = other.arg1;
  arg2 = other.arg2;
  colourKey = other.colourKey;
  return *this;
}

OBitmap::~OBitmap() = default;

void OBitmap::release() {
  data_.reset();
  width_ = height_ = 0;
}

bool OBitmap::create(int width, int height, int64_t fillValue, std::shared_ptr<DibSection> section) {
  release();
  failed = true;
  if (width < 1 || height < 1 || width > DibSection::kMaxSide || height > DibSection::kMaxSide) return false;
  if (section) {
    // An image must fit in the room left in the section; writing past it
    // would overwrite the neighbouring images or the heap.
    if (height > section->height || width > section->width - section->nextFreeX) return false;
  } else {
    section = DibSection::make(width, height);
    if (!section) return false;
  }
  auto data = std::make_shared<OBitmapData>();
  data->width = width;
  data->height = height;
  data->originX = section->nextFreeX;
  data->section = section;
  section->nextFreeX += width;
  ++section->users;
  data_ = std::move(data);
  width_ = width;
  height_ = height;
  failed = false;
  if (fillValue != -1) fillColour = uint32_t(fillValue) & 0xFFFFFF;
  fill(nullptr);
  return true;
}

void OBitmap::fill(const ORect* rect) {
  if (!valid()) return;
  ORect r{0, 0, width(), height()};
  if (rect) {
    r.left = std::max(rect->left, 0);
    r.top = std::max(rect->top, 0);
    r.right = std::min(rect->right, width());
    r.bottom = std::min(rect->bottom, height());
  }
  if (r.empty()) return;
  const uint8_t b = fillColour & 0xFF, g = (fillColour >> 8) & 0xFF, red = (fillColour >> 16) & 0xFF;
  uint8_t* first = rowAddress(r.top) + r.left * 3;
  for (int i = 0; i < r.width(); ++i) {
    first[i * 3] = b;
    first[i * 3 + 1] = g;
    first[i * 3 + 2] = red;
  }
  for (int y = r.top + 1; y < r.bottom; ++y) std::memcpy(rowAddress(y) + r.left * 3, first, size_t(r.width()) * 3);
}

void OBitmap::setColourKey(int key) {
  if (key == -1) {
    colourKey = valid() ? int(pixel(0, 0)) : -1;
    return;
  }
  colourKey = key;
}

void OBitmap::markPixelsChanged() {
  if (data_) ++data_->version;
}

uint8_t* OBitmap::pixelAddress() { return valid() ? rowAddress(height() - 1) : nullptr; }

uint8_t* OBitmap::rowAddress(int r) {
  if (!valid()) return nullptr;
  markPixelsChanged();
  return data_->section->row(r) + size_t(data_->originX) * 3;
}

const uint8_t* OBitmap::rowAddress(int r) const {
  if (!valid()) return nullptr;
  return data_->section->row(r) + size_t(data_->originX) * 3;
}

uint32_t OBitmap::pixel(int x, int y) const {
  if (!valid() || x < 0 || y < 0 || x >= width() || y >= height()) return 0;
  const uint8_t* p = rowAddress(y) + x * 3;
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
}

void OBitmap::setPixel(int x, int y, uint32_t colour) {
  if (!valid() || x < 0 || y < 0 || x >= width() || y >= height()) return;
  uint8_t* p = rowAddress(y) + x * 3;
  p[0] = colour & 0xFF;
  p[1] = (colour >> 8) & 0xFF;
  p[2] = (colour >> 16) & 0xFF;
}

void OBitmap::createAlpha(uint8_t value) {
  if (!data_) return;
  // width + 1 spare bytes past the plane stay fully transparent.
  const size_t n = size_t(width()) * size_t(height());
  data_->alpha.assign(n + size_t(width()) + 1, 255);
  std::fill_n(data_->alpha.begin(), n, value);
  markPixelsChanged();
}

void OBitmap::removeAlpha() {
  if (!data_) return;
  data_->alpha.clear();
  data_->alpha.shrink_to_fit();
  markPixelsChanged();
}

uint8_t* OBitmap::alphaPlane() {
  if (!hasAlpha()) return nullptr;
  markPixelsChanged();
  return data_->alpha.data();
}

const uint8_t* OBitmap::alphaPlane() const { return hasAlpha() ? data_->alpha.data() : nullptr; }

uint8_t OBitmap::alphaAt(int x, int y) const {
  if (!hasAlpha() || x < 0 || y < 0 || x >= width() || y >= height()) return 0;
  return data_->alpha[size_t(y) * size_t(width()) + size_t(x)];
}
