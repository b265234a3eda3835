#include "platform/FrameScaler.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace zb {
namespace {

int64_t floorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
int64_t ceilDiv(int64_t a, int64_t b) { return -floorDiv(-a, b); }

// Blends two 0x00RRGGBB pixels, `w` (0..256) parts of b in 256.
uint32_t mix(uint32_t a, uint32_t b, uint32_t w) {
  uint32_t rb = (((a & 0xFF00FFu) * (256 - w) + (b & 0xFF00FFu) * w) >> 8) & 0xFF00FFu;
  uint32_t g = (((a & 0x00FF00u) * (256 - w) + (b & 0x00FF00u) * w) >> 8) & 0x00FF00u;
  return rb | g;
}

// out[i] = mix(a[i], b[i], w) | alphaBits for n pixels.
void blendRows(const uint32_t* a, const uint32_t* b, uint32_t w, uint32_t alphaBits, uint32_t* out, int n) {
  int i = 0;
#ifdef __SSE2__
  // Each channel in a 16-bit lane: 255 x 256 still fits, so no lane spills.
  const __m128i zero = _mm_setzero_si128();
  const __m128i wa = _mm_set1_epi16(static_cast<short>(256 - w)), wb = _mm_set1_epi16(static_cast<short>(w));
  const __m128i alpha = _mm_set1_epi32(static_cast<int>(alphaBits));
  for (; i + 4 <= n; i += 4) {
    const __m128i pa = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
    const __m128i pb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
    const __m128i lo = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(pa, zero), wa),
                                                    _mm_mullo_epi16(_mm_unpacklo_epi8(pb, zero), wb)),
                                      8);
    const __m128i hi = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(pa, zero), wa),
                                                    _mm_mullo_epi16(_mm_unpackhi_epi8(pb, zero), wb)),
                                      8);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_or_si128(_mm_packus_epi16(lo, hi), alpha));
  }
#endif
  for (; i < n; ++i) out[i] = mix(a[i], b[i], w) | alphaBits;
}

uint32_t* rowAt(uint32_t* out, int pitch, int y) {
  return reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(out) + static_cast<ptrdiff_t>(y) * pitch);
}

}  // namespace

void FrameScaler::setLayout(int viewWidth, int viewHeight, int outWidth, int outHeight) {
  if (viewWidth == viewW_ && viewHeight == viewH_ && outWidth == outW_ && outHeight == outH_) return;
  viewW_ = viewWidth;
  viewH_ = viewHeight;
  outW_ = outWidth;
  outH_ = outHeight;
  picture_ = Rect{};
  whole_ = 0;
  cols_.clear();
  rows_.clear();
  if (viewW_ <= 0 || viewH_ <= 0 || outW_ <= 0 || outH_ <= 0) return;
  picture_ = fit(viewW_, viewH_, outW_, outH_);
  int64_t w = picture_.right - picture_.left, h = picture_.bottom - picture_.top;
  if (w % viewW_ == 0 && h % viewH_ == 0 && w / viewW_ == h / viewH_) whole_ = static_cast<int>(w / viewW_);
  cols_ = taps(viewW_, static_cast<int>(w), whole_ > 0);
  rows_ = taps(viewH_, static_cast<int>(h), whole_ > 0);
  for (auto& row : across_) row.assign(size_t(w), 0);
}

FrameScaler::Rect FrameScaler::fit(int viewWidth, int viewHeight, int outWidth, int outHeight) {
  if (viewWidth <= 0 || viewHeight <= 0 || outWidth <= 0 || outHeight <= 0) return Rect{};
  int64_t w = outWidth, h = outHeight;
  // The limiting side fills the output; the other keeps the proportions.
  if (int64_t(outWidth) * viewHeight <= int64_t(outHeight) * viewWidth)
    h = (2 * int64_t(outWidth) * viewHeight + viewWidth) / (2 * int64_t(viewWidth));
  else
    w = (2 * int64_t(outHeight) * viewWidth + viewHeight) / (2 * int64_t(viewHeight));
  w = std::max<int64_t>(w, 1);
  h = std::max<int64_t>(h, 1);
  int left = static_cast<int>((outWidth - w) / 2), top = static_cast<int>((outHeight - h) / 2);
  return Rect{left, top, left + static_cast<int>(w), top + static_cast<int>(h)};
}

std::vector<FrameScaler::Tap> FrameScaler::taps(int viewSize, int pictureSize, bool whole) {
  std::vector<Tap> t(static_cast<size_t>(pictureSize));
  for (int d = 0; d < pictureSize; ++d) {
    if (whole) {
      int s = static_cast<int>(int64_t(d) * viewSize / pictureSize);
      t[size_t(d)] = Tap{s, s, 0};
      continue;
    }
    // The output pixel's centre in view pixels, in 1/256ths, less half a pixel.
    int64_t c = floorDiv((2 * int64_t(d) + 1) * viewSize * 256, 2 * int64_t(pictureSize)) - 128;
    int first = static_cast<int>(c >> 8), weight = static_cast<int>(c & 255);
    if (first < 0) first = 0, weight = 0;
    if (first >= viewSize - 1) first = viewSize - 1, weight = 0;
    t[size_t(d)] = Tap{first, std::min(first + 1, viewSize - 1), weight};
  }
  return t;
}

void FrameScaler::toView(const Rect& picture, int viewWidth, int viewHeight, int outX, int outY, int& viewX,
                         int& viewY) {
  if (picture.right <= picture.left || picture.bottom <= picture.top) {
    viewX = outX;
    viewY = outY;
    return;
  }
  viewX = static_cast<int>(floorDiv(int64_t(outX - picture.left) * viewWidth, picture.right - picture.left));
  viewY = static_cast<int>(floorDiv(int64_t(outY - picture.top) * viewHeight, picture.bottom - picture.top));
}

FrameScaler::Rect FrameScaler::outputArea(const Rect& area) const {
  int64_t pw = picture_.right - picture_.left, ph = picture_.bottom - picture_.top;
  Rect a{std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, viewW_), std::min(area.bottom, viewH_)};
  if (pw <= 0 || a.right <= a.left || a.bottom <= a.top) return Rect{};
  if (!whole_) {
    // A blended output pixel reaches up to one view pixel beyond its
    // centre, more when the picture is smaller than the view.
    int mx = 1 + static_cast<int>(ceilDiv(viewW_, pw)), my = 1 + static_cast<int>(ceilDiv(viewH_, ph));
    a = Rect{std::max(a.left - mx, 0), std::max(a.top - my, 0), std::min(a.right + mx, viewW_),
             std::min(a.bottom + my, viewH_)};
  }
  return Rect{picture_.left + static_cast<int>(floorDiv(a.left * pw, viewW_)),
              picture_.top + static_cast<int>(floorDiv(a.top * ph, viewH_)),
              picture_.left + static_cast<int>(ceilDiv(a.right * pw, viewW_)),
              picture_.top + static_cast<int>(ceilDiv(a.bottom * ph, viewH_))};
}

void FrameScaler::draw(const FrameBuffer& frame, const Rect& area, uint32_t* out, int pitch,
                       uint32_t alphaBits) const {
  if (viewW_ > frame.width() || viewH_ > frame.height()) return;
  int left = std::max(area.left, picture_.left), right = std::min(area.right, picture_.right);
  int top = std::max(area.top, picture_.top), bottom = std::min(area.bottom, picture_.bottom);
  if (right <= left) return;
  if (!whole_) {
    drawBlended(frame, left, top, right, bottom, out, pitch, alphaBits);
    return;
  }
  for (int y = top; y < bottom; ++y) {
    uint32_t* dst = rowAt(out, pitch, y);
    // An enlarged row repeats the one above it when both show the same view row.
    if (y > top && rows_[size_t(y - picture_.top)].first == rows_[size_t(y - 1 - picture_.top)].first) {
      std::memcpy(dst + left, rowAt(out, pitch, y - 1) + left, size_t(right - left) * 4);
      continue;
    }
    const uint32_t* src = frame.row(rows_[size_t(y - picture_.top)].first);
    const Tap* cx = cols_.data() + (left - picture_.left);
    for (int x = left; x < right; ++x, ++cx) dst[x] = src[cx->first] | alphaBits;
  }
}

void FrameScaler::drawBlended(const FrameBuffer& frame, int left, int top, int right, int bottom, uint32_t* out,
                              int pitch, uint32_t alphaBits) const {
  // Each view row is scaled across once and kept while the output rows
  // below still blend it in; rows go downwards, so two are enough.
  int held[2] = {-1, -1};
  int older = 0;
  auto across = [&](int viewRow) -> const uint32_t* {
    for (int k = 0; k < 2; ++k)
      if (held[k] == viewRow) return across_[size_t(k)].data();
    const int k = older;
    older = 1 - older;
    held[k] = viewRow;
    scaleAcross(frame.row(viewRow), left, right, across_[size_t(k)].data());
    return across_[size_t(k)].data();
  };
  for (int y = top; y < bottom; ++y) {
    const Tap& ry = rows_[size_t(y - picture_.top)];
    const uint32_t* upper = across(ry.first);
    const uint32_t* lower = ry.weight != 0 ? across(ry.second) : upper;
    blendRows(upper, lower, static_cast<uint32_t>(ry.weight), alphaBits, rowAt(out, pitch, y) + left, right - left);
  }
}

void FrameScaler::scaleAcross(const uint32_t* src, int left, int right, uint32_t* out) const {
  const Tap* cx = cols_.data() + (left - picture_.left);
  const int n = right - left;
  int x = 0;
#ifdef __SSE2__
  // Four output pixels at a time: each pairs its two view pixels channel by
  // channel and weighs the pairs in one multiply-add.
  const __m128i zero = _mm_setzero_si128();
  auto blendPair = [&](const Tap& t) {
    const __m128i pair = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(src[t.first])),
                                           _mm_cvtsi32_si128(static_cast<int>(src[t.second])));
    const __m128i weights = _mm_set1_epi32(static_cast<int>(uint32_t(t.weight) << 16 | uint32_t(256 - t.weight)));
    return _mm_srli_epi32(_mm_madd_epi16(_mm_unpacklo_epi8(pair, zero), weights), 8);
  };
  for (; x + 4 <= n; x += 4, cx += 4) {
    const __m128i lo = _mm_packs_epi32(blendPair(cx[0]), blendPair(cx[1]));
    const __m128i hi = _mm_packs_epi32(blendPair(cx[2]), blendPair(cx[3]));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_packus_epi16(lo, hi));
  }
#endif
  for (; x < n; ++x, ++cx) out[x] = mix(src[cx->first], src[cx->second], static_cast<uint32_t>(cx->weight));
}

void FrameScaler::drawBars(uint32_t* out, int pitch, uint32_t alphaBits) const {
  for (int y = 0; y < outH_; ++y) {
    uint32_t* row = rowAt(out, pitch, y);
    if (y < picture_.top || y >= picture_.bottom) {
      std::fill(row, row + outW_, alphaBits);
      continue;
    }
    std::fill(row, row + picture_.left, alphaBits);
    std::fill(row + picture_.right, row + outW_, alphaBits);
  }
}

}  // namespace zb
