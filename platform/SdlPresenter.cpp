#include "platform/SdlPresenter.h"

#include <SDL.h>

#include <algorithm>

namespace zb {

SdlPresenter::~SdlPresenter() {
  if (staging_) SDL_FreeSurface(staging_);
}

void SdlPresenter::present(const FrameBuffer& frame, int viewWidth, int viewHeight,
                           const std::vector<FrameBuffer::Rect>& changed, bool whole) {
  // Fetched at every call: the window may have a new size, and then a new surface.
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface) return;
  viewWidth = std::min(viewWidth, frame.width());
  viewHeight = std::min(viewHeight, frame.height());
  scaler_.setLayout(viewWidth, viewHeight, surface->w, surface->h);
  whole = whole || surface->w != shownW_ || surface->h != shownH_;
  uint32_t* pixels = nullptr;
  int pitch = 0;
  uint32_t alphaBits = 0;
  if (!drawTarget(surface, pixels, pitch, alphaBits)) return;
  areas_.clear();
  if (whole) {
    scaler_.drawBars(pixels, pitch, alphaBits);
    areas_.push_back(FrameBuffer::Rect{0, 0, surface->w, surface->h});
    scaler_.draw(frame, scaler_.picture(), pixels, pitch, alphaBits);
  } else {
    for (const FrameBuffer::Rect& c : changed) {
      FrameBuffer::Rect out = scaler_.outputArea(c);
      if (out.right <= out.left || out.bottom <= out.top) continue;
      scaler_.draw(frame, out, pixels, pitch, alphaBits);
      areas_.push_back(out);
    }
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  send(surface, areas_);
  shownW_ = surface->w;
  shownH_ = surface->h;
}

bool SdlPresenter::drawTarget(SDL_Surface* surface, uint32_t*& pixels, int& pitch, uint32_t& alphaBits) {
  const SDL_PixelFormat* f = surface->format;
  bool direct = f->BytesPerPixel == 4 && f->Rmask == 0xFF0000 && f->Gmask == 0xFF00 && f->Bmask == 0xFF;
  if (direct) {
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return false;
    pixels = static_cast<uint32_t*>(surface->pixels);
    pitch = surface->pitch;
    alphaBits = f->Amask;
    if (staging_) SDL_FreeSurface(staging_);
    staging_ = nullptr;
    return true;
  }
  if (!staging_ || staging_->w != surface->w || staging_->h != surface->h) {
    if (staging_) SDL_FreeSurface(staging_);
    staging_ = SDL_CreateRGBSurfaceWithFormat(0, surface->w, surface->h, 32, SDL_PIXELFORMAT_RGB888);
    if (!staging_) return false;
  }
  pixels = static_cast<uint32_t*>(staging_->pixels);
  pitch = staging_->pitch;
  alphaBits = 0;
  return true;
}

void SdlPresenter::send(SDL_Surface* surface, const std::vector<FrameBuffer::Rect>& areas) {
  if (areas.empty()) return;
  std::vector<SDL_Rect> rects;
  rects.reserve(areas.size());
  for (const FrameBuffer::Rect& a : areas) {
    SDL_Rect r{a.left, a.top, a.right - a.left, a.bottom - a.top};
    if (staging_) {
      SDL_Rect to = r;
      SDL_BlitSurface(staging_, &r, surface, &to);
    }
    rects.push_back(r);
  }
  SDL_UpdateWindowSurfaceRects(window_, rects.data(), static_cast<int>(rects.size()));
}

void SdlPresenter::toView(int windowX, int windowY, int viewWidth, int viewHeight, int& viewX, int& viewY) const {
  int w = 0, h = 0, pw = 0, ph = 0;
  SDL_GetWindowSize(window_, &w, &h);
  SDL_GetWindowSizeInPixels(window_, &pw, &ph);
  // Events come in window units, which may be larger than device pixels.
  int px = w > 0 ? static_cast<int>(int64_t(windowX) * pw / w) : windowX;
  int py = h > 0 ? static_cast<int>(int64_t(windowY) * ph / h) : windowY;
  FrameScaler::toView(FrameScaler::fit(viewWidth, viewHeight, pw, ph), viewWidth, viewHeight, px, py, viewX, viewY);
}

}  // namespace zb
