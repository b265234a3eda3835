#include "platform/SdlBlitReference.h"

#include <SDL.h>

#include <cstring>
#include <utility>

namespace zb {
namespace {
SDL_Surface* surf(void* p) { return static_cast<SDL_Surface*>(p); }
}  // namespace

SdlBlitReference::SdlBlitReference(SdlBlitReference&& other) noexcept : surface_(std::exchange(other.surface_, nullptr)) {}

SdlBlitReference& SdlBlitReference::operator=(SdlBlitReference&& other) noexcept {
  if (this != &other) {
    if (surface_) SDL_FreeSurface(surf(surface_));
    surface_ = std::exchange(other.surface_, nullptr);
  }
  return *this;
}

SdlBlitReference::~SdlBlitReference() {
  if (surface_) SDL_FreeSurface(surf(surface_));
}

SdlBlitReference SdlBlitReference::make24(int width, int height) {
  SdlBlitReference s;
  // BGR24 keeps the bytes in memory as blue, green, red, like the gfx images.
  s.surface_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 24, SDL_PIXELFORMAT_BGR24);
  return s;
}

SdlBlitReference SdlBlitReference::makeArgb(int width, int height) {
  SdlBlitReference s;
  s.surface_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
  return s;
}

void SdlBlitReference::copyRow24(int r, const uint8_t* bgr) {
  SDL_Surface* s = surf(surface_);
  if (!s) return;
  std::memcpy(static_cast<uint8_t*>(s->pixels) + size_t(r) * size_t(s->pitch), bgr, size_t(s->w) * 3);
}

void SdlBlitReference::copyRowArgb(int r, const uint8_t* bgr, const uint8_t* alpha) {
  SDL_Surface* s = surf(surface_);
  if (!s) return;
  auto* out = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + size_t(r) * size_t(s->pitch));
  for (int x = 0; x < s->w; ++x)
    out[x] = uint32_t(255 - alpha[x]) << 24 | uint32_t(bgr[x * 3 + 2]) << 16 | uint32_t(bgr[x * 3 + 1]) << 8 |
             bgr[x * 3];
}

void SdlBlitReference::setColourKey(uint32_t key, bool rle) {
  SDL_Surface* s = surf(surface_);
  if (!s) return;
  SDL_SetColorKey(s, SDL_TRUE, SDL_MapRGB(s->format, Uint8(key >> 16), Uint8(key >> 8), Uint8(key)));
  SDL_SetSurfaceRLE(s, rle ? 1 : 0);
  SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_NONE);
}

void SdlBlitReference::setBlended() {
  if (surface_) SDL_SetSurfaceBlendMode(surf(surface_), SDL_BLENDMODE_BLEND);
}

bool SdlBlitReference::blitTo(SdlBlitReference& dst, int x, int y) {
  if (!surface_ || !dst.surface_) return false;
  SDL_Rect at{x, y, 0, 0};
  return SDL_BlitSurface(surf(surface_), nullptr, surf(dst.surface_), &at) == 0;
}

uint32_t SdlBlitReference::pixel24(int x, int y) const {
  SDL_Surface* s = surf(surface_);
  if (!s || x < 0 || y < 0 || x >= s->w || y >= s->h) return 0;
  SDL_LockSurface(s);
  const uint8_t* p = static_cast<uint8_t*>(s->pixels) + size_t(y) * size_t(s->pitch) + size_t(x) * 3;
  const uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
  SDL_UnlockSurface(s);
  return v;
}

}  // namespace zb
