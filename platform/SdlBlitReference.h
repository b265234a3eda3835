#pragma once
#include <cstddef>
#include <cstdint>

// SDL's own blitter, for benchmarks that compare the gfx blits with it. Only
// platform/ may include SDL, so the comparison side lives here.
namespace zb {

class SdlBlitReference {
public:
  // A 24-bit surface (bytes blue, green, red) copied from pixel rows; rowAt(r)
  // gives the address of row r (0 at the top).
  template <typename RowFn>
  static SdlBlitReference fromRows24(int width, int height, RowFn rowAt) {
    SdlBlitReference s = make24(width, height);
    for (int r = 0; r < height; ++r) s.copyRow24(r, rowAt(r));
    return s;
  }
  // A 32-bit ARGB surface from 24-bit rows and an alpha plane in the gfx
  // convention (0 opaque, 255 transparent, rows top to bottom).
  template <typename RowFn>
  static SdlBlitReference fromRowsArgb(int width, int height, RowFn rowAt, const uint8_t* alpha) {
    SdlBlitReference s = makeArgb(width, height);
    for (int r = 0; r < height; ++r) s.copyRowArgb(r, rowAt(r), alpha + size_t(r) * size_t(width));
    return s;
  }

  SdlBlitReference(SdlBlitReference&& other) noexcept;
  SdlBlitReference& operator=(SdlBlitReference&& other) noexcept;
  SdlBlitReference(const SdlBlitReference&) = delete;
  SdlBlitReference& operator=(const SdlBlitReference&) = delete;
  ~SdlBlitReference();

  // Pixels equal to key (0xRRGGBB) are skipped; rle turns on SDL's run-length
  // acceleration (encoded on the first blit).
  void setColourKey(uint32_t key, bool rle);
  // Per-pixel alpha blending for ARGB sources.
  void setBlended();
  // SDL_BlitSurface of this surface into dst at (x, y). False on SDL errors.
  bool blitTo(SdlBlitReference& dst, int x, int y);
  // 0xRRGGBB of a pixel of a 24-bit surface.
  uint32_t pixel24(int x, int y) const;
  bool valid() const { return surface_ != nullptr; }

private:
  SdlBlitReference() = default;
  static SdlBlitReference make24(int width, int height);
  static SdlBlitReference makeArgb(int width, int height);
  void copyRow24(int r, const uint8_t* bgr);
  void copyRowArgb(int r, const uint8_t* bgr, const uint8_t* alpha);

  void* surface_ = nullptr;  // SDL_Surface
};

}  // namespace zb
