// The frame of a screen: motion, animation, expiry and drawing.
#include <algorithm>
#include <bit>
#include <cmath>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "app/OEngine.h"
#include "app/OMainWindow.h"

namespace {

// Below this a coordinate difference counts as zero when steering to a waypoint.
constexpr double kTiny = 0.00001;
constexpr int kMaxSteps = 5;

double sign(double v) { return v > 0 ? 1.0 : v < 0 ? -1.0 : 0.0; }

// Where drawSubPixel puts the integer part of a fractional position.
int subPixelBase(double v) { return static_cast<int>(v < 0 ? v - 1 : v); }

}  // namespace

void OEngine::tick(int elapsed) {
  int steps = std::min(elapsed / std::max(owner_.frameInterval, 1), kMaxSteps);
  if (steps < 0) steps = 0;
  // Callbacks may add, remove or delete clips; the index is re-checked
  // after each, and a clip they deleted is not touched again.
  for (size_t i = 0; i < clips_.size();) {
    OClip* clip = clips_[i];
    ticking_ = clip;
    tickingDeleted_ = false;
    if (clip->moves) moveClip(*clip, steps);
    if (tickingDeleted_ || i >= clips_.size() || clips_[i] != clip) continue;
    clip->tickClip(elapsed);
    if (tickingDeleted_ || i >= clips_.size() || clips_[i] != clip) continue;
    if (clip->lifetime == 0) {
      onClipExpired(clip);
      if (!tickingDeleted_) {
        clip->onRemoved();
        removeClip(clip, true);
      }
      // The clip that took its place is processed next.
      continue;
    }
    ++i;
  }
  ticking_ = nullptr;
  updateFocusOutline();
  if (skipNextDraw) {
    skipNextDraw = false;
    return;
  }
  if (redrawMode == kRedrawAll)
    redrawAll();
  else if (redrawMode == kRedrawDirty)
    redrawDirty();
}

bool OEngine::atRest() const { return false; }

bool OEngine::clipsAtRest() const {
  if (skipNextDraw || !dirty_.empty() || redrawMode == kRedrawAll) return false;
  for (const OClip* clip : clips_) {
    if (!clip->atRest()) return false;
    if (redrawMode == kRedrawDirty && changedSinceDrawn(*clip, clip->imageRect(), clip->frameKey())) return false;
  }
  return true;
}

void OEngine::moveClip(OClip& clip, int steps) {
  if (!clip.waypoints.empty()) {
    followWaypoint(clip, steps);
    return;
  }
  clip.x += clip.vx * steps;
  clip.y += clip.vy * steps;
  clip.z += clip.vz * steps;
}

void OEngine::followWaypoint(OClip& clip, int steps) {
  const OWaypoint wp = clip.waypoints.front();
  double dx = wp.x - clip.x;
  double dy = wp.y - clip.y;
  double vx = 0, vy = 0;
  bool straightX = std::fabs(dx) < kTiny;
  bool straightY = std::fabs(dy) < kTiny;
  // A tiny sideways speed keeps an axis-parallel path well defined; the
  // second rule wins when both differences vanish.
  if (straightX) {
    vx = kTiny;
    vy = sign(dy) * wp.speed;
  }
  if (straightY) {
    vx = sign(dx) * wp.speed;
    vy = kTiny;
  }
  if (!straightX && !straightY) {
    double k = std::fabs(dy / dx);
    vx = sign(dx) * std::sqrt(wp.speed * wp.speed / (k * k + 1));
    vy = sign(dy) * std::fabs(vx) * k;
  }
  clip.vx = vx;
  clip.vy = vy;
  vx *= steps;
  vy *= steps;
  if (vx * vx + vy * vy < dx * dx + dy * dy) {
    clip.x += vx;
    clip.y += vy;
    return;
  }
  clip.x = wp.x;
  clip.y = wp.y;
  clip.waypoints.pop_front();
  if (!clip.waypoints.empty()) {
    clip.onWaypoint(wp);
    onClipWaypoint(&clip, wp);
    return;
  }
  clip.onArrive(wp);
  onClipArrived(&clip, wp);
  if (tickingDeleted_ && &clip == ticking_) return;
  clip.vx = 0;
  clip.vy = 0;
}

void OEngine::recordDrawn(OClip& clip, const ORect& r, int frameKey) {
  clip.drawn.left = r.left;
  clip.drawn.top = r.top;
  clip.drawn.width = r.width();
  clip.drawn.height = r.height();
  clip.drawn.frameKey = frameKey;
  clip.drawn.opacity = clip.opacity;
  clip.drawn.visible = clip.visible;
  clip.drawn.wasVisible = clip.visible;
}

bool OEngine::changedSinceDrawn(const OClip& clip, const ORect& r, int frameKey) {
  const OClipDrawnState& d = clip.drawn;
  return r.left != d.left || r.top != d.top || r.width() != d.width || r.height() != d.height ||
         frameKey != d.frameKey || clip.opacity != d.opacity || clip.subPixel || clip.forcedRedraw ||
         clip.visible != d.wasVisible;
}

void OEngine::clearArea(const ORect* area) {
  // The fill colour stays the buffer's own: silhouettes are drawn in it.
  uint32_t fill = backBuffer_->fillColour;
  backBuffer_->fillColour = backgroundColour;
  backBuffer_->fill(area);
  backBuffer_->fillColour = fill;
}

// The part of an image at (x, y) that falls inside `area`, in image coordinates.
bool OEngine::partInside(const OBitmap& image, int x, int y, const ORect& area, ORect& part) {
  part.left = std::max(area.left - x, 0);
  part.top = std::max(area.top - y, 0);
  part.right = std::min(area.right - x, image.width());
  part.bottom = std::min(area.bottom - y, image.height());
  return !part.empty();
}

void OEngine::drawClip(OClip& clip, const ORect* area) {
  // Extra layers (an edit cursor, overlays) are drawn whole.
  if (clip.layers().size() > 1) area = nullptr;
  for (OBitmap* image : clip.layers()) {
    if (!image) continue;
    bool fractional = clip.subPixel && image->hasAlpha();
    double fx = clip.x + image->xOffset;
    double fy = clip.y + image->yOffset;
    int px = fractional ? subPixelBase(fx) : static_cast<int>(clip.x) + image->xOffset;
    int py = fractional ? subPixelBase(fy) : static_cast<int>(clip.y) + image->yOffset;
    ORect part;
    if (area && !partInside(*image, px, py, *area, part)) continue;
    // A source rectangle lands with its own top-left at the position given.
    if (fractional)
      OBitmap::drawSubPixel(*backBuffer_, *image, fx + part.left, fy + part.top, area ? &part : nullptr);
    else
      OBitmap::draw(*backBuffer_, *image, px + part.left, py + part.top, area ? &part : nullptr);
  }
}

void OEngine::sendToWindow(const ORect* area) {
  if (!drawToWindow) return;
  owner_.blitToWindow(*backBuffer_, x_ + (area ? area->left : 0), y_ + (area ? area->top : 0), area);
}

void OEngine::redrawAll() {
  for (OClip* clip : clips_) recordDrawn(*clip, clip->imageRect(), clip->frameKey());
  if (!backBuffer_) return;
  clearArea(nullptr);
  for (OClip* clip : clips_)
    if (clip->visible) drawClip(*clip, nullptr);
  sendToWindow(nullptr);
}

void OEngine::redrawDirty() {
  // One pass: what changed, and each visible clip's area once, not once per
  // dirty rectangle. Most frames change little, so the pass is most of it.
  shownClips_.clear();
  shownLeft_.clear();
  shownTop_.clear();
  shownRight_.clear();
  shownBottom_.clear();
  for (OClip* clip : clips_) {
    const ORect now = clip->imageRect();
    const int key = clip->frameKey();
    if (changedSinceDrawn(*clip, now, key)) {
      if (clip->drawn.wasVisible)
        addDirty(ORect{clip->drawn.left, clip->drawn.top, clip->drawn.left + clip->drawn.width,
                       clip->drawn.top + clip->drawn.height});
      addDirty(now);
      recordDrawn(*clip, now, key);
    }
    if (!clip->visible) continue;
    // The clip's own size from where its image lands (clipRect).
    shownClips_.push_back(clip);
    shownLeft_.push_back(now.left);
    shownTop_.push_back(now.top);
    shownRight_.push_back(now.left + clip->width);
    shownBottom_.push_back(now.top + clip->height);
  }
  if (!backBuffer_ || dirty_.empty()) {
    dirty_.clear();
    return;
  }
  shownHit_.resize((shownClips_.size() + 63) / 64);
  dirty_.forEach([this](const ORect& area) {
    clearArea(&area);
    drawShownIn(area);
  });
  dirty_.forEach([this](const ORect& area) { sendToWindow(&area); });
  dirty_.clear();
}

void OEngine::drawShownIn(const ORect& area) {
  const size_t n = shownClips_.size();
  const int* left = shownLeft_.data();
  const int* top = shownTop_.data();
  const int* right = shownRight_.data();
  const int* bottom = shownBottom_.data();
  uint64_t* hit = shownHit_.data();
  std::fill(shownHit_.begin(), shownHit_.end(), 0);
  // The same strict test as ODirtyList::overlaps, four clips at a time
  // where the processor allows: most clips miss most dirty rectangles.
  size_t i = 0;
#ifdef __SSE2__
  const __m128i al = _mm_set1_epi32(area.left), at = _mm_set1_epi32(area.top);
  const __m128i ar = _mm_set1_epi32(area.right), ab = _mm_set1_epi32(area.bottom);
  for (; i + 4 <= n; i += 4) {
    const __m128i l = _mm_loadu_si128(reinterpret_cast<const __m128i*>(left + i));
    const __m128i t = _mm_loadu_si128(reinterpret_cast<const __m128i*>(top + i));
    const __m128i r = _mm_loadu_si128(reinterpret_cast<const __m128i*>(right + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bottom + i));
    const __m128i m = _mm_and_si128(_mm_and_si128(_mm_cmplt_epi32(l, ar), _mm_cmplt_epi32(al, r)),
                                    _mm_and_si128(_mm_cmplt_epi32(t, ab), _mm_cmplt_epi32(at, b)));
    hit[i / 64] |= uint64_t(_mm_movemask_ps(_mm_castsi128_ps(m))) << (i % 64);
  }
#endif
  for (; i < n; ++i)
    if ((left[i] < area.right) & (area.left < right[i]) & (top[i] < area.bottom) & (area.top < bottom[i]))
      hit[i / 64] |= uint64_t(1) << (i % 64);
  // Lowest bit first keeps the depth order.
  for (size_t w = 0; w < shownHit_.size(); ++w)
    for (uint64_t bits = hit[w]; bits; bits &= bits - 1)
      drawClip(*shownClips_[w * 64 + size_t(std::countr_zero(bits))], &area);
}

void OEngine::addDirty(const ORect& rect) { dirty_.add(rect); }
